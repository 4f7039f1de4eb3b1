#pragma once

#include "editor/LanguageTexts.h"

#include <string>

namespace kalvero::web {

// The page's texts in one language, as a JSON object: "captions" and
// "toolTips" by control name, "bootView", "fullScreenLogo", "readMeNews", and
// "palette", the 16 colours as [red, green, blue], and "version", the
// version text Label1 shows.
std::string PageTextsJson(Language language);

} // namespace kalvero::web
