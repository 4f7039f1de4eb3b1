#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace kalvero::cli {

// The text of a batch's progress line on a terminal, "1234/10000 files",
// rewritten in place with a carriage return, at most ten times a second.
class ProgressLine {
public:
    // What to write for this count now: the whole line, or nothing when it
    // would change too soon.
    std::string update(std::size_t done, std::size_t total);
    // What takes a shown line off the terminal; nothing when none is shown.
    std::string clear();

private:
    using Clock = std::chrono::steady_clock;

    Clock::time_point next_{}; // the first update is shown at once
    std::size_t shownLength_ = 0;
};

} // namespace kalvero::cli
