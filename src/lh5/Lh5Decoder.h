#pragma once

#include "base/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::lh5 {

// Decodes "-lh5-" data (LZSS, 8 KiB window, Huffman-coded blocks) into
// exactly originalSize bytes. Any inconsistency is an error with a reason
// (FileProblem::NotAccepted): a code table that is not a valid prefix code, a
// code or length out of range, a match reaching before the start or past
// originalSize, running out of packed bytes before originalSize bytes are
// made. Bytes after the last code are ignored. Memory grows with the bytes
// actually made, not with originalSize.
FileResult<std::vector<std::uint8_t>> DecodeLh5(std::span<const std::uint8_t> packed,
                                                std::size_t originalSize);

} // namespace kalvero::lh5
