#include "cli/CommandList.h"

#include "cli/BiosCommand.h"
#include "cli/Bmp2EpaCommand.h"
#include "cli/Epa2BmpCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InfoCommand.h"
#include "cli/RenderCommand.h"

namespace kalvero::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<InfoCommand>());
    commands.push_back(std::make_unique<Bmp2EpaCommand>());
    commands.push_back(std::make_unique<Epa2BmpCommand>());
    commands.push_back(std::make_unique<RenderCommand>());
    commands.push_back(std::make_unique<ImportCommand>());
    commands.push_back(std::make_unique<BiosCommand>());
    return commands;
}

} // namespace kalvero::cli
