#include "lh5/MatchFinder.h"

#include "lh5/Lh5Format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kalvero::lh5 {

namespace {

// How many bytes a and b have in common from start on, at most limit.
std::size_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t start,
                         std::size_t limit) {
    std::size_t length = start;
    if constexpr (std::endian::native == std::endian::little) {
        while (length + 8 <= limit) {
            std::uint64_t x = 0;
            std::uint64_t y = 0;
            std::memcpy(&x, a + length, 8);
            std::memcpy(&y, b + length, 8);
            if (x != y) {
                return length + static_cast<std::size_t>(std::countr_zero(x ^ y) / 8);
            }
            length += 8;
        }
    }
    while (length < limit && a[length] == b[length]) {
        ++length;
    }
    return length;
}

} // namespace

MatchFinder::MatchFinder(std::span<const std::uint8_t> data) {
    const std::size_t size = data.size();
    first_.reserve(size + 1);
    first_.push_back(0);
    const int hashBits = std::clamp(static_cast<int>(std::bit_width(size)), 8, 16);
    std::vector<std::int32_t> head(std::size_t{1} << hashBits, -1);
    // Left (smaller) and right (larger) child of each position's node.
    std::vector<std::int32_t> child(2 * size, -1);
    // A deeper search costs time and finds farther matches that are rarely
    // cheaper than the near ones already found.
    constexpr int Depth = 512;

    for (std::size_t position = 0; position < size; ++position) {
        if (position + MinMatch > size) {
            first_.push_back(static_cast<std::uint32_t>(matches_.size()));
            continue;
        }
        const std::uint8_t* current = data.data() + position;
        const std::uint32_t hash =
            (current[0] | current[1] << 8 | current[2] << 16) * 0x9E3779B1U >> (32 - hashBits);
        std::int32_t candidate = head[hash];
        head[hash] = static_cast<std::int32_t>(position);
        const std::size_t limit = std::min<std::size_t>(MaxMatch, size - position);
        std::int32_t* smaller = &child[2 * position];
        std::int32_t* larger = &child[2 * position + 1];
        std::size_t smallerLength = 0;
        std::size_t largerLength = 0;
        std::size_t best = MinMatch - 1;
        for (int depth = Depth;; --depth) {
            if (candidate < 0 ||
                position - static_cast<std::size_t>(candidate) > MaxWrittenDistance || depth == 0) {
                *smaller = -1;
                *larger = -1;
                break;
            }
            const std::uint8_t* earlier = data.data() + candidate;
            std::int32_t* node = &child[2 * static_cast<std::size_t>(candidate)];
            const std::size_t length =
                CommonLength(earlier, current, std::min(smallerLength, largerLength), limit);
            if (length > best) {
                best = length;
                matches_.push_back(
                    {static_cast<std::uint16_t>(length),
                     static_cast<std::uint16_t>(position - static_cast<std::size_t>(candidate))});
            }
            if (length == limit) {
                // The new node replaces one that repeats it in full.
                *smaller = node[0];
                *larger = node[1];
                break;
            }
            if (earlier[length] < current[length]) {
                *smaller = candidate;
                smaller = &node[1];
                smallerLength = length;
                candidate = *smaller;
            } else {
                *larger = candidate;
                larger = &node[0];
                largerLength = length;
                candidate = *larger;
            }
        }
        first_.push_back(static_cast<std::uint32_t>(matches_.size()));
    }
}

} // namespace kalvero::lh5
