#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::lh5 {

// Every match an "-lh5-" parse can choose from: at each position of the
// data, for every length from 3 up to the longest match there, the nearest
// earlier position that repeats it, at most MaxWrittenDistance back.
// Found with binary trees of the positions sorted by the bytes that follow
// them, one tree per hash of three bytes.
class MatchFinder {
public:
    struct Match {
        std::uint16_t length;
        std::uint16_t distance;
    };

    explicit MatchFinder(std::span<const std::uint8_t> data);

    // The matches at a position by increasing length (and distance): each is
    // the nearest one of every length above the previous match's.
    std::span<const Match> at(std::size_t position) const {
        return std::span(matches_).subspan(first_[position],
                                           first_[position + 1] - first_[position]);
    }

private:
    std::vector<Match> matches_;
    std::vector<std::uint32_t> first_;
};

} // namespace kalvero::lh5
