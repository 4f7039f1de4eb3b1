#include "bios/AwardImage.h"

namespace kalvero::bios {

std::string LayoutName(ImageLayout layout) {
    switch (layout) {
    case ImageLayout::SystemFirst:
        return "A (system module first)";
    case ImageLayout::Split:
        return "B (split, system module at 0x20000)";
    case ImageLayout::SmallSystem:
        return "C (system module below 64 KiB, the others from 0x10000)";
    }
    return {};
}

} // namespace kalvero::bios
