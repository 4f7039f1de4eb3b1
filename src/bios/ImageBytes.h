#pragma once

#include "base/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kalvero::bios {

// Little-endian fields and the sums BIOS images are checked with.
std::uint16_t ReadWord(std::span<const std::uint8_t> bytes, std::size_t offset);
std::uint32_t ReadLong(std::span<const std::uint8_t> bytes, std::size_t offset);
void WriteWord(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value);
void WriteLong(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

// The sum of the bytes, mod 256.
std::uint8_t ByteSum(std::span<const std::uint8_t> bytes);
// The sum of the little-endian words, mod 65536; an odd last byte counts as a
// word of its own.
std::uint16_t WordSum(std::span<const std::uint8_t> bytes);

// "0x1A000": offsets and values as they appear in messages.
std::string Hex(std::size_t value, int digits = 1);

// A refusal of the image or the logo, with the reason and what to do.
FileError Refusal(Reason reason);

// A refusal that is a fault of Kalvero, not of the files (a check of our own
// work that failed), with what failed; its problem is FileProblem::Other.
FileError OwnFault(const Reason& what);

} // namespace kalvero::bios
