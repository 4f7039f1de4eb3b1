#include "document/LogoFromEpa.h"

#include "document/EpaFormat.h"

namespace kalvero {

std::optional<LogoDocument> LogoFromEpa(std::span<const std::uint8_t> epaFile) {
    const EpaLengthClass kind = ClassifyEpaLength(epaFile.size());
    if (kind != EpaLengthClass::ShortLogo && kind != EpaLengthClass::TallLogo) {
        return std::nullopt;
    }
    std::optional<LogoDocument> document(std::in_place, kind == EpaLengthClass::TallLogo);
    for (std::size_t i = 0; i < epaFile.size(); ++i) {
        document->EpaData(static_cast<int>(i) + 1) = epaFile[i];
    }
    return document;
}

} // namespace kalvero
