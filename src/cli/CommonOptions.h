#pragma once

#include "cli/Option.h"

namespace kalvero::cli {

// Options of the tool as a whole, and the ones every command has after its own.
inline constexpr Option HelpOption{'h', "help", "", "Show this help"};
inline constexpr Option VersionOption{'V', "version", "", "Show the version"};
inline constexpr Option QuietOption{'q', "quiet", "", "Show no warnings and no progress line"};

// What every conversion takes for a batch.
inline constexpr Option OutputDirOption{
    0, "output-dir", "DIR",
    "Write one output per input into DIR, named after\nthe input with the new extension"};

} // namespace kalvero::cli
