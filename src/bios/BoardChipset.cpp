#include "bios/BoardChipset.h"

#include <algorithm>
#include <cctype>

namespace kalvero::bios {
namespace {

constexpr const char* Pentium = "pentium,-apic";
constexpr const char* Pentium2 = "pentium2,-apic";

// Measured with QEMU 7.2 on the boards' own images.
struct KnownChipset {
    std::string_view name;
    QemuFit fit;
    const char* processor;
};
constexpr KnownChipset KnownChipsets[] = {
    {"i430FX", QemuFit::Runs, Pentium},
    {"i430HX", QemuFit::Runs, Pentium},
    {"i430VX", QemuFit::Runs, Pentium},
    // Some poll an SMBus controller that QEMU lacks.
    {"i430TX", QemuFit::SomeBoards, Pentium},
    {"i440FX", QemuFit::Runs, Pentium2},
    // The rest stop early, 440BX boards at memory sizing.
    {"i440BX", QemuFit::No, Pentium2},
    {"i440LX", QemuFit::No, Pentium2},
    {"i440ZX", QemuFit::No, Pentium2},
    {"i440EX", QemuFit::No, Pentium2},
};

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The length of a date "MM/DD/YY" or "MM/DD/YYYY" at text[at], or 0.
std::size_t DateLength(std::string_view text, std::size_t at) {
    const std::string_view shape = "99/99/99";
    if (text.size() - at < shape.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '9' ? !IsDigit(text[at + i]) : text[at + i] != shape[i]) {
            return 0;
        }
    }
    const std::size_t end = at + shape.size();
    return end + 2 <= text.size() && IsDigit(text[end]) && IsDigit(text[end + 1]) ? 10 : 8;
}

bool IsIdCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
           std::string_view("-,<>._/ ").find(c) != std::string_view::npos;
}

} // namespace

BoardChipset ChipsetFromText(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t date = DateLength(text, at);
        if (date == 0 || at + date >= text.size() || text[at + date] != '-') {
            continue;
        }
        const std::size_t start = at + date + 1;
        std::size_t end = start;
        while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        if (end == start || end == text.size() || (text[end] != '-' && text[end] != ',')) {
            continue;
        }
        std::size_t lineEnd = end;
        while (lineEnd < text.size() && IsIdCharacter(text[lineEnd])) {
            ++lineEnd;
        }
        BoardChipset board{std::string(text.substr(at, lineEnd - at)),
                           std::string(text.substr(start, end - start)),
                           QemuFit::No,
                           {}};
        const auto known = std::find_if(
            std::begin(KnownChipsets), std::end(KnownChipsets),
            [&](const KnownChipset& chipset) { return chipset.name == board.chipset; });
        if (known != std::end(KnownChipsets)) {
            board.fit = known->fit;
            board.processors = {known->processor};
        } else {
            board.processors = {Pentium2};
        }
        return board;
    }
    return BoardChipset{"", "", QemuFit::Unknown, {Pentium, Pentium2}};
}

BoardChipset ReadBoardChipset(const ImageInspection& inspection) {
    const std::size_t system = inspection.image.systemModule;
    if (system < inspection.contents.size() && inspection.contents[system].good()) {
        const std::vector<std::uint8_t>& data = inspection.contents[system].data;
        return ChipsetFromText(
            std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    }
    return ChipsetFromText({});
}

std::string DescribeFit(const BoardChipset& chipset) {
    switch (chipset.fit) {
    case QemuFit::Runs:
        return "QEMU runs the BIOS of " + chipset.chipset + " boards";
    case QemuFit::SomeBoards:
        return "QEMU runs the BIOS of some " + chipset.chipset + " boards only";
    case QemuFit::No:
        return "the board's chipset, " + chipset.chipset + ", is not one QEMU emulates";
    case QemuFit::Unknown:
        break;
    }
    return "the image names no chipset in a BIOS ID line";
}

} // namespace kalvero::bios
