#include "cli/InputFiles.h"

#include "cli/ArgumentPath.h"
#include "document/FileNames.h"

namespace kalvero::cli {
namespace {

// What a command-line file is; "-" is standard input or output.
std::optional<FileIdentity> IdentityOfArgument(const std::string& argument, StandardStream dash) {
    return argument == "-" ? IdentityOfStandardStream(dash)
                           : IdentityOf(PathFromArgument(argument));
}

} // namespace

InputFiles::InputFiles(const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        if (const auto identity = IdentityOfArgument(input, StandardStream::Input)) {
            inputs_.emplace(*identity,
                            input == "-" ? "standard input" : "the input " + QuotedName(input));
        }
    }
}

std::optional<std::string> InputFiles::inputAt(const std::string& output) const {
    const auto identity = IdentityOfArgument(output, StandardStream::Output);
    if (!identity) {
        return std::nullopt;
    }
    const auto found = inputs_.find(*identity);
    return found == inputs_.end() ? std::nullopt : std::optional(found->second);
}

} // namespace kalvero::cli
