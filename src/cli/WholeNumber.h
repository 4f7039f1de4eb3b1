#pragma once

#include <optional>
#include <string>

namespace kalvero::cli {

// The number an option's value spells, when it is a whole number from lowest
// to highest written in decimal digits.
std::optional<int> WholeNumber(const std::string& text, int lowest, int highest);

} // namespace kalvero::cli
