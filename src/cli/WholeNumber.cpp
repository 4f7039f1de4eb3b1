#include "cli/WholeNumber.h"

#include <charconv>

namespace kalvero::cli {

std::optional<int> WholeNumber(const std::string& text, int lowest, int highest) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end || number < lowest ||
        number > highest) {
        return std::nullopt;
    }
    return number;
}

} // namespace kalvero::cli
