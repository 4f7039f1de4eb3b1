#pragma once

#include "bios/ImageInspection.h"

namespace kalvero::bios {

// What an image's BIOS shows with its full-screen logo, as far as the
// strings of its own modules tell (docs/bios-images.md, "The bottom 16
// rows").
enum class FullScreenShow {
    // Its setup offers a "Full Screen Logo" item, as the board measured to
    // show all 480 rows of its logo and no text does.
    WholeLogo,
    // Its modules hold "Press [TAB] to show POST screen, [DEL] to enter
    // SETUP", the line the boards measured draw over the bottom 16 rows.
    LineBelow,
    // Neither: Kalvero cannot tell.
    Unknown,
};

FullScreenShow FullScreenShowOf(const ImageInspection& inspection);

} // namespace kalvero::bios
