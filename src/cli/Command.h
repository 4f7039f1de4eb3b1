#pragma once

#include "cli/ArgumentParser.h"
#include "cli/Option.h"

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kalvero::cli {

class Console;

// bios try: the BIOS did not draw the logo; QEMU could not be used.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1,
    ExitUsage = 2,
    ExitNotDrawn = 3,
    ExitNoQemu = 4,
};

// What the help tells about a command.
struct CommandText {
    std::string name;
    std::string summary;               // one line in the overall help
    std::vector<std::string> synopses; // the usage lines' arguments: "[--negative] IN.bmp OUT.epa"
    std::string description;           // for the command's help; lines of at most 80 characters
};

// One command of kalvero-cli. The application parses the command line with
// the command's options (and the ones every command has) and hands it to run().
class Command {
public:
    explicit Command(CommandText text) : text_(std::move(text)) {}
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    const CommandText& text() const { return text_; }
    const std::string& name() const { return text_.name; }
    // The command's own options, in the order its help lists them.
    virtual std::vector<const Option*> options() const { return {}; }
    // The commands of a group, named by the word after the group's name
    // ("bios list"); none for a command of its own.
    virtual std::span<const std::unique_ptr<Command>> subcommands() const { return {}; }
    // ExitSuccess, ExitFailure, or ExitUsage after reporting a usage error.
    virtual int run(const ArgumentParser& arguments, Console& console) = 0;

private:
    CommandText text_;
};

} // namespace kalvero::cli
