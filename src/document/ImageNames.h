#pragma once

#include <string>

namespace kalvero {

// The name Save EPA proposes for the new image made from an opened BIOS
// image: beside it, "-new" before its extension (/roms/board.bin gives
// /roms/board-new.bin, a name without a point gets "-new" at its end).
std::string NewImageName(const std::string& imagePath);

// Whether Save EPA, with a BIOS image open, writes just the logo as an EPA
// file rather than a new image: for a name ending in ".epa" (in any case) or
// when the EPA filter was chosen.
bool SavesJustTheLogo(const std::string& path, bool epaFilterChosen);

} // namespace kalvero
