#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

// What the editor answers on the terminal, without a display: its help for
// "--help" and its version for "--version", each given alone. Nothing for
// any other command line, which names a file to open.
std::optional<std::string> TerminalAnswer(const std::vector<std::string>& arguments,
                                          std::string_view version);

// The command line the window takes: the arguments after the program's name,
// joined by blanks. A first "--" only says that no option follows: kalvero --
// --help opens the file --help.
std::string CommandLineOf(std::vector<std::string> arguments);

} // namespace kalvero
