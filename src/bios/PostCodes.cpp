#include "bios/PostCodes.h"

#include "bios/ImageBytes.h"

#include <algorithm>
#include <string_view>

namespace kalvero::bios {
namespace {

// What Award BIOSes stopping at these codes in QEMU were found to mean.
struct KnownCode {
    std::uint8_t code;
    std::string_view meaning;
};
constexpr KnownCode KnownCodes[] = {
    {0x0D, "the BIOS waits for a timer interrupt: the processor has a local APIC"},
    {0x0E, "the BIOS stops before the screen: a module it unpacks, such as the logo, is damaged"},
    {0xC0, "chipset set-up: the board's chipset is not one QEMU emulates"},
    {0xC1, "memory sizing: the board's memory controller is not one QEMU emulates"},
};

} // namespace

std::optional<std::uint8_t> LastPostCode(std::span<const std::uint8_t> log) {
    if (log.empty()) {
        return std::nullopt;
    }
    return log.back();
}

std::string DescribePostCode(std::uint8_t code) {
    std::string text = Hex(code, 2).substr(2);
    const auto known = std::find_if(std::begin(KnownCodes), std::end(KnownCodes),
                                    [&](const KnownCode& entry) { return entry.code == code; });
    if (known != std::end(KnownCodes)) {
        text += " (" + std::string(known->meaning) + ")";
    }
    return text;
}

} // namespace kalvero::bios
