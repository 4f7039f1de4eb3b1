#include "PageTexts.h"

#include "document/Palette.h"

#include <cstdio>

namespace kalvero::web {
namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string Object(std::span<const ControlText> texts, Language language) {
    std::string object = "{";
    for (const ControlText& text : texts) {
        object += (object.size() > 1 ? "," : "") + Quoted(text.control) + ":" +
                  Quoted(ControlTextFor(text, language));
    }
    return object + "}";
}

std::string PaletteJson() {
    std::string list = "[";
    for (const Rgb& colour : Palette) {
        list += (list.size() > 1 ? ",[" : "[") + std::to_string(colour.r) + "," +
                std::to_string(colour.g) + "," + std::to_string(colour.b) + "]";
    }
    return list + "]";
}

} // namespace

std::string PageTextsJson(Language language) {
    return "{\"captions\":" + Object(LanguageCaptions(), language) +
           ",\"toolTips\":" + Object(LanguageToolTips(), language) +
           ",\"bootView\":" + Quoted(BootViewCaption(language)) +
           ",\"fullScreenLogo\":" + Quoted(FullScreenLogoCaption(language)) +
           ",\"readMeNews\":" + Quoted(ReadMeNews(language)) + ",\"palette\":" + PaletteJson() +
           ",\"version\":\"Version  " + std::to_string(KALVERO_VERSION_MAJOR) + "." +
           std::to_string(KALVERO_VERSION_MINOR) + "a\"" + "}";
}

} // namespace kalvero::web
