#pragma once

#include <string_view>

namespace kalvero {

// The editor's keys, the same in the window and on the page: the key as Qt's
// QKeySequence and the page write it, and the name of what it does.
struct Shortcut {
    std::string_view keys;
    std::string_view action;
};

inline constexpr Shortcut Shortcuts[] = {
    {"Ctrl+O", "open"}, {"Ctrl+S", "save"}, {"Ctrl+Q", "exit"},
    {"F1", "info"},     {"Ctrl+Z", "undo"}, {"Ctrl+Shift+Z", "redo"},
    {"Ctrl+Y", "redo"}, {"F5", "bootView"}, {"F6", "switchLogo"},
};

} // namespace kalvero
