#pragma once

#include <string_view>

namespace kalvero::cli {

// One option of a command line: -q, --quiet, --scale N. Commands keep theirs
// as constants and ask the parser about them by address.
struct Option {
    char shortName = 0;           // 0 for none
    std::string_view longName;    // without the dashes
    std::string_view valueName;   // empty for a switch: "N", "DIR"
    std::string_view description; // for the help; '\n' between lines
};

} // namespace kalvero::cli
