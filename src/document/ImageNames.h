#pragma once

#include <string>

namespace kalvero {

// The name Save EPA proposes for the new image made from an opened BIOS
// image: beside it, "-new" before its extension (/roms/board.bin gives
// /roms/board-new.bin, a name without a point gets "-new" at its end).
std::string NewImageName(const std::string& imagePath);

// Whether Save EPA, with the BIOS image imagePath open, writes just the logo
// as an EPA file rather than a new image: when the EPA filter was chosen, or
// for a name ending in ".epa" (in any case) unless the image's own name ends
// so, which then tells nothing.
bool SavesJustTheLogo(const std::string& path, const std::string& imagePath, bool epaFilterChosen);

} // namespace kalvero
