#pragma once

#include <cstdint>
#include <vector>

namespace kalvero::lh5 {

// Packs bits first bit highest, the way "-lh5-" data is read.
class BitWriter {
public:
    // Up to 32 bits of value, its highest bit first.
    void Write(std::uint32_t value, int bits) {
        if (bits == 0) {
            return;
        }
        buffer_ = (buffer_ << bits) | (value & ((std::uint64_t{1} << bits) - 1));
        held_ += bits;
        while (held_ >= 8) {
            held_ -= 8;
            bytes_.push_back(static_cast<std::uint8_t>(buffer_ >> held_));
        }
    }

    // The bytes, the last one filled up with zero bits.
    std::vector<std::uint8_t> Finish() {
        if (held_ > 0) {
            Write(0, 8 - held_);
        }
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t buffer_ = 0;
    int held_ = 0;
};

} // namespace kalvero::lh5
