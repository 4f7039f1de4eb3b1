#include "base/Reason.h"

namespace kalvero {

Reason& Reason::operator+=(const Reason& more) {
    english_ += more.english_;
    german_ += more.german_;
    return *this;
}

std::string Reason::fill(std::string_view pattern, std::initializer_list<std::string> parts) {
    std::string text;
    const std::string* part = parts.begin();
    for (std::size_t at = pattern.find("{}"); at != std::string_view::npos;
         at = pattern.find("{}")) {
        text.append(pattern.substr(0, at)).append(*part++);
        pattern.remove_prefix(at + 2);
    }
    return text.append(pattern);
}

} // namespace kalvero
