#pragma once

#include "cli/Command.h"

namespace kalvero::cli {

// A command whose next word names one of several: "bios list", "bios
// replace". Each of them has its own options and help; the overall help
// lists them in the group's place, and the group's help lists them all.
class CommandGroup : public Command {
public:
    // The commands' names begin with the group's name and a blank.
    CommandGroup(CommandText text, std::vector<std::unique_ptr<Command>> commands);

    std::span<const std::unique_ptr<Command>> subcommands() const override { return commands_; }
    // Reached when the group's name is not followed by one of its commands.
    int run(const ArgumentParser& arguments, Console& console) override;

private:
    std::vector<std::unique_ptr<Command>> commands_;
};

} // namespace kalvero::cli
