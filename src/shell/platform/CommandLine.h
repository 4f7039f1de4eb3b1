#pragma once

#include <optional>
#include <string>

namespace kalvero {

// The logo named on the command line: the text without blanks at both ends,
// then without a leading double quote and, after that, without a trailing one
// when it is the first quote left. No name at all when the text is blank; a
// text of just "" names the empty file, which then fails to open.
std::optional<std::string> CommandLineFileFrom(const std::string& commandLine);

} // namespace kalvero
