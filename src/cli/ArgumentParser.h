#pragma once

#include "cli/Option.h"

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero::cli {

// Splits a command line into options and operands, the way Unix tools do:
// -q and --quiet, values as --scale=2, --scale 2, -s2 or -s 2, single letters
// bundled (-qh), options anywhere between the operands, everything after --
// an operand, and - alone an operand (standard input or output).
class ArgumentParser {
public:
    explicit ArgumentParser(std::vector<const Option*> options);

    // The problem with the command line, in the words of an error message.
    std::optional<std::string> parse(std::span<const std::string> arguments);

    bool isSet(const Option& option) const;
    // The value given last; empty when the option was not given.
    const std::string& value(const Option& option) const;
    const std::vector<std::string>& operands() const { return operands_; }

private:
    const Option* findLong(std::string_view name) const;
    const Option* findShort(char name) const;
    std::optional<std::string> takeLong(std::string_view argument,
                                        std::span<const std::string>& rest);
    std::optional<std::string> takeShort(std::string_view letters,
                                         std::span<const std::string>& rest);

    std::vector<const Option*> options_;
    std::map<const Option*, std::string> given_;
    std::vector<std::string> operands_;
};

} // namespace kalvero::cli
