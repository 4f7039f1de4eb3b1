// The editor's command line and the names made from it: the logo's path, its
// title, the EPA name proposed for a bitmap and the backup names.

#include "FuzzCheck.h"
#include "shell/platform/CommandLine.h"
#include "document/FileIo.h"
#include "document/FileNames.h"

#include <cstdint>
#include <string>

namespace kalvero::fuzz {
namespace {

void CheckName(const std::string& name) {
    const std::string title = FileTitle(name);
    Require(name.size() >= title.size() &&
                name.compare(name.size() - title.size(), title.size(), title) == 0,
            "the title ends the path");
    Require(title.find('/') == std::string::npos, "the title has no folder");

    const std::string epa = DefaultEpaName(name);
    Require(epa.size() >= 3 && epa.compare(epa.size() - 3, 3, "epa") == 0,
            "the proposed name ends in epa");

    for (const int number : {0, 7, 99}) {
        const std::string backup = BackupName(name, number);
        const std::string suffix = "." + std::to_string(number);
        Require(backup.size() >= suffix.size() &&
                    backup.compare(backup.size() - suffix.size(), suffix.size(), suffix) == 0,
                "a backup name ends in its number");
    }
    Require(Utf8FromPath(PathFromUtf8(name)) == name, "paths keep their bytes");
}

} // namespace
} // namespace kalvero::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvero;
    const std::string commandLine(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> name = CommandLineFileFrom(commandLine);
    fuzz::Require(name.has_value() == (commandLine.find_first_not_of(' ') != std::string::npos),
                  "only a blank command line names no file");
    if (!name) {
        return 0;
    }
    fuzz::Require(commandLine.find(*name) != std::string::npos, "the name is part of the line");
    fuzz::CheckName(*name);
    return 0;
}
