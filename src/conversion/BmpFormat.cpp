#include "conversion/BmpFormat.h"

namespace kalvero {

BmpKind ClassifyBmpSize(std::uint64_t length) {
    switch (length) {
    case MonoBmpShortLength:
        return BmpKind::Mono84;
    case MonoBmpTallLength:
        return BmpKind::Mono126;
    case ColourBmpShortLength:
        return BmpKind::Colour84;
    case ColourBmpTallLength:
        return BmpKind::Colour126;
    default:
        return BmpKind::NotAccepted;
    }
}

} // namespace kalvero
