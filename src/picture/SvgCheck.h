#pragma once

#include "base/FileResult.h"

#include <QByteArray>
#include <cstdint>

namespace kalvero {

// Looks through an SVG drawing before Qt reads it, for what Qt would keep in
// memory. Refuses (TooLarge) a drawing of more than MaxSvgElements elements,
// counting those of drawings embedded in it, and one whose embedded pictures
// would take more than maxEmbeddedBytes decoded. Refuses (NotAccepted) one that
// takes a picture from another file: the drawing comes as bytes, with no folder
// to look in, and reading other files is no part of an import.
// Gives the bytes its embedded pictures take decoded.
FileResult<std::uint64_t> CheckSvg(const QByteArray& drawing, std::uint64_t maxEmbeddedBytes);

} // namespace kalvero
