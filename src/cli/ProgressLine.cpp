#include "cli/ProgressLine.h"

#include <algorithm>

namespace kalvero::cli {
namespace {

constexpr std::chrono::milliseconds Interval{100};

} // namespace

std::string ProgressLine::update(std::size_t done, std::size_t total) {
    const Clock::time_point now = Clock::now();
    if (now < next_) {
        return {};
    }
    next_ = now + Interval;
    std::string line = std::to_string(done) + "/" + std::to_string(total) + " files";
    // Blanks over the end of a longer line shown before.
    const std::size_t length = line.size();
    if (length < shownLength_) {
        line.append(shownLength_ - length, ' ');
    }
    shownLength_ = std::max(shownLength_, length);
    return "\r" + line;
}

std::string ProgressLine::clear() {
    if (shownLength_ == 0) {
        return {};
    }
    const std::string blanks(shownLength_, ' ');
    shownLength_ = 0;
    return "\r" + blanks + "\r";
}

} // namespace kalvero::cli
