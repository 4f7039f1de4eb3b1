#include "shell/platform/CommandLine.h"

namespace kalvero {

std::optional<std::string> CommandLineFileFrom(const std::string& commandLine) {
    const std::string::size_type first = commandLine.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    std::string name = commandLine.substr(first, commandLine.find_last_not_of(' ') - first + 1);
    if (name.find('"') == 0) {
        name.erase(0, 1);
    }
    if (!name.empty() && name.find('"') == name.size() - 1) {
        name.pop_back();
    }
    return name;
}

} // namespace kalvero
