#include "document/LogoFromEpa.h"

#include "document/EpaFormat.h"

namespace kalvero {

std::optional<LogoDocument> LogoFromEpa(std::span<const std::uint8_t> epaFile) {
    const EpaLengthClass kind = ClassifyEpaLength(epaFile.size());
    if ((kind != EpaLengthClass::ShortLogo && kind != EpaLengthClass::TallLogo) ||
        Version1CountsProblem(epaFile.size(), epaFile)) {
        return std::nullopt;
    }
    std::optional<LogoDocument> document(std::in_place);
    document->openedFile({}, epaFile);
    return document;
}

} // namespace kalvero
