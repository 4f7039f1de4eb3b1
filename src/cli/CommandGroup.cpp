#include "cli/CommandGroup.h"

#include "cli/Console.h"

namespace kalvero::cli {

CommandGroup::CommandGroup(CommandText text, std::vector<std::unique_ptr<Command>> commands)
    : Command(std::move(text)), commands_(std::move(commands)) {}

int CommandGroup::run(const ArgumentParser& arguments, Console& console) {
    std::string words;
    bool known = false;
    for (const std::unique_ptr<Command>& command : commands_) {
        const std::string word = command->name().substr(name().size() + 1);
        words += (words.empty() ? "" : ", ") + word;
        known = known || (!arguments.operands().empty() && arguments.operands().front() == word);
    }
    if (arguments.operands().empty() || known) {
        return console.reportUsageError(name() + " needs one of its commands first: " + words,
                                        name());
    }
    return console.reportUsageError(
        "unknown " + name() + " command '" + arguments.operands().front() + "'", name());
}

} // namespace kalvero::cli
