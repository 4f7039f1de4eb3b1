#pragma once

#include "cli/CommandGroup.h"

namespace kalvero::cli {

// bios list|verify|extract|replace: the logo inside an Award BIOS image.
class BiosCommand : public CommandGroup {
public:
    BiosCommand();
};

} // namespace kalvero::cli
