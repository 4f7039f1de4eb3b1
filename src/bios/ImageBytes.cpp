#include "bios/ImageBytes.h"

#include <cstdio>

namespace kalvero::bios {

std::uint16_t ReadWord(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t ReadLong(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(ReadWord(bytes, offset)) |
           static_cast<std::uint32_t>(ReadWord(bytes, offset + 2)) << 16;
}

void WriteWord(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void WriteLong(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    WriteWord(bytes, offset, static_cast<std::uint16_t>(value));
    WriteWord(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint8_t ByteSum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (const std::uint8_t byte : bytes) {
        sum += byte;
    }
    return static_cast<std::uint8_t>(sum);
}

std::uint16_t WordSum(std::span<const std::uint8_t> bytes) {
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        sum += ReadWord(bytes, i);
    }
    if (i < bytes.size()) {
        sum += bytes[i];
    }
    return static_cast<std::uint16_t>(sum);
}

std::string Hex(std::size_t value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*zX", digits, value);
    return text;
}

FileError Refusal(Reason reason) {
    return FileError{FileProblem::NotAccepted, std::move(reason)};
}

FileError OwnFault(const Reason& what) {
    return FileError{FileProblem::Other,
                     Reason::of<"{}, so nothing was written. This is a fault of Kalvero, not of "
                                "your files: please report it.",
                                "{}, darum wurde nichts geschrieben. Das ist ein Fehler von "
                                "Kalvero, nicht Ihrer Dateien: bitte melden Sie ihn.">(what)};
}

} // namespace kalvero::bios
