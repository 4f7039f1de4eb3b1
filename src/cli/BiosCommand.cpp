#include "cli/BiosCommand.h"

#include "cli/BiosExtractCommand.h"
#include "cli/BiosListCommand.h"
#include "cli/BiosReplaceCommand.h"
#include "cli/BiosTryCommand.h"
#include "cli/BiosVerifyCommand.h"

namespace kalvero::cli {
namespace {

std::vector<std::unique_ptr<Command>> BiosCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<BiosListCommand>());
    commands.push_back(std::make_unique<BiosVerifyCommand>());
    commands.push_back(std::make_unique<BiosExtractCommand>());
    commands.push_back(std::make_unique<BiosReplaceCommand>());
    commands.push_back(std::make_unique<BiosTryCommand>());
    return commands;
}

} // namespace

BiosCommand::BiosCommand()
    : CommandGroup({"bios",
                    "List, verify, extract, replace or try the logo in an Award BIOS image",
                    {"COMMAND --help"},
                    "Lists and verifies Award BIOS images of 128 and 256 KiB, takes their logo\n"
                    "out and makes new images with another logo. Kalvero changes only what\n"
                    "must change, proves a new image before it writes it, and refuses images\n"
                    "it does not understand. Before you flash a new image, verify it (bios\n"
                    "verify), keep the old image and a way to flash it back. What each command\n"
                    "checks and refuses: its --help, or all of them in man kalvero-cli."},
                   BiosCommands()) {}

} // namespace kalvero::cli
