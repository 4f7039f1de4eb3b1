#pragma once

#include "base/Reason.h"

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kalvero {

// Qt's readers of BMP, GIF, XBM and TGA files take a file cut short without a
// word and leave the missing pixels black. For those formats this compares
// what the header promises with what the file holds, and tells how the file
// falls short; nothing for a whole file or another format (whose readers
// report a short file themselves).
std::optional<Reason> MissingPart(const QByteArray& format, std::span<const std::uint8_t> file);

} // namespace kalvero
