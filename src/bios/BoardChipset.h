#pragma once

#include "bios/ImageInspection.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvero::bios {

// How far QEMU's PC (i440FX with PIIX3) runs a board's BIOS: to the power-on
// screen; on some boards of the chipset only; not past the memory or chipset
// set-up; or not known, where the image names no chipset.
enum class QemuFit { Runs, SomeBoards, No, Unknown };

// The board's chipset as the BIOS ID line names it ("12/10/97-i430VX,UMC8669-
// 2A59GH2BC-00": i430VX), how far QEMU runs it, and the processors to try in
// QEMU, as its -cpu option takes them: Pentium for Socket 7 chipsets, Pentium
// II for Socket 8 and Slot 1, both where the chipset is not known. None has a
// local APIC: with one, the BIOS waits for a timer interrupt that never comes.
struct BoardChipset {
    std::string idLine; // empty when none was found
    std::string chipset;
    QemuFit fit = QemuFit::Unknown;
    std::vector<std::string> processors;
};

// The chipset of the first BIOS ID line in text (a date, "-", the chipset up
// to the next "-" or ","), anywhere in it.
BoardChipset ChipsetFromText(std::string_view text);

// The same for an image: the ID line is in the system module.
BoardChipset ReadBoardChipset(const ImageInspection& inspection);

// A sentence on how far QEMU runs the chipset: "QEMU emulates the i440FX".
std::string DescribeFit(const BoardChipset& chipset);

} // namespace kalvero::bios
