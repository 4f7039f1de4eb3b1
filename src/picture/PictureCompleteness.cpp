#include "picture/PictureCompleteness.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace kalvero {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint64_t Unsigned(Bytes file, std::size_t at, std::size_t length) {
    std::uint64_t value = 0;
    for (std::size_t i = length; i > 0; --i) {
        value = value << 8 | file[at + i - 1];
    }
    return value;
}

std::optional<Reason> ShorterThan(std::uint64_t promised, std::size_t held) {
    if (held >= promised) {
        return std::nullopt;
    }
    return Reason::of<"it ends too early: its header promises {} bytes, the file has {}",
                      "es endet zu früh: sein Kopf verspricht {} Bytes, die Datei hat {}">(promised,
                                                                                           held);
}

const Reason CutPixels = Reason::of<"it ends too early: its pixels are cut off",
                                    "es endet zu früh: seine Pixel sind abgeschnitten">();

// Run-length coded rows (RLE8, RLE4) from at: whole when they reach the end
// of the picture or its end mark.
bool RunsAreWhole(Bytes file, std::size_t at, std::uint64_t rows, bool fourBits) {
    std::uint64_t row = 0;
    while (row < rows) {
        if (at + 2 > file.size()) {
            return false;
        }
        const std::uint8_t count = file[at];
        const std::uint8_t code = file[at + 1];
        at += 2;
        if (count != 0 || code > 2) {
            // A run of count pixels, or code pixels given one by one, in
            // bytes padded to an even count.
            const std::size_t given = fourBits ? (code + 1U) / 2 : code;
            at += count != 0 ? 0 : given + given % 2;
        } else if (code == 0) {
            ++row;
        } else if (code == 1) {
            return true;
        } else {
            row += at + 1 < file.size() ? file[at + 1] : 0;
            at += 2;
        }
    }
    return at <= file.size();
}

std::optional<Reason> MissingBmpPart(Bytes file) {
    constexpr std::size_t FileHeader = 14;
    if (file.size() < FileHeader + 16) {
        return std::nullopt; // Qt refuses it
    }
    const std::uint64_t pixelsAt = Unsigned(file, 10, 4);
    const bool core = Unsigned(file, FileHeader, 4) == 12; // the OS/2 kind: 16-bit fields
    const std::uint64_t width = core ? Unsigned(file, 18, 2) : Unsigned(file, 18, 4);
    const std::int64_t height = core ? static_cast<std::int64_t>(Unsigned(file, 20, 2))
                                     : static_cast<std::int32_t>(Unsigned(file, 22, 4));
    const std::uint64_t bits = Unsigned(file, core ? 24 : 28, 2);
    const std::uint64_t compression = core ? 0 : Unsigned(file, 30, 4);
    const std::uint64_t rows = static_cast<std::uint64_t>(std::abs(height));
    if (compression == 1 || compression == 2) {
        return pixelsAt <= file.size() && RunsAreWhole(file, pixelsAt, rows, compression == 2)
                   ? std::nullopt
                   : std::optional(CutPixels);
    }
    // Uncompressed, or bit fields: rows of whole 4-byte words.
    if (compression != 0 && compression != 3 && compression != 6) {
        return std::nullopt;
    }
    return ShorterThan(pixelsAt + (width * bits + 31) / 32 * 4 * rows, file.size());
}

// Walks the blocks up to the end of the first frame's pixel data, which is
// all that is read of a GIF.
std::optional<Reason> MissingGifPart(Bytes file) {
    constexpr std::size_t ScreenEnd = 13;
    if (file.size() < ScreenEnd) {
        return std::nullopt;
    }
    const auto table = [](std::uint8_t flags) {
        return (flags & 0x80) != 0 ? std::size_t{3} << ((flags & 7) + 1) : 0;
    };
    std::size_t at = ScreenEnd + table(file[10]);
    // Sub-blocks, each led by its length, up to the empty one.
    const auto skipBlocks = [&] {
        while (at < file.size() && file[at] != 0) {
            at += file[at] + 1U;
        }
        return at++ < file.size();
    };
    while (at < file.size()) {
        const std::uint8_t introducer = file[at];
        if (introducer == 0x21) { // an extension: its label, then blocks
            at += 2;
            if (!skipBlocks()) {
                return CutPixels;
            }
            continue;
        }
        if (introducer != 0x2C) {
            return std::nullopt; // no frame: Qt refuses it
        }
        at += 10; // the frame's position, size and flags
        if (at >= file.size()) {
            return CutPixels;
        }
        at += table(file[at - 1]) + 1; // and the code size
        return skipBlocks() ? std::nullopt : std::optional(CutPixels);
    }
    return CutPixels;
}

// An X bitmap is C text: #define NAME_width W, ..._height H, then an array
// of ((W + 7) / 8) * H numbers in braces.
std::optional<Reason> MissingXbmPart(Bytes file) {
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    const auto number = [&](std::string_view key) -> std::uint64_t {
        const std::size_t at = text.find(key);
        return at == std::string_view::npos
                   ? 0
                   : std::strtoull(std::string(text.substr(at + key.size(), 24)).c_str(), nullptr,
                                   10);
    };
    const std::uint64_t promised = (number("_width") + 7) / 8 * number("_height");
    const std::size_t open = text.find('{');
    if (promised == 0 || open == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t close = text.find('}', open);
    const std::string_view values = text.substr(open, close - open);
    std::uint64_t held = 0;
    for (std::size_t at = 1; at < values.size(); ++at) {
        held += values[at - 1] == '0' && (values[at] == 'x' || values[at] == 'X') ? 1 : 0;
    }
    if (close == std::string_view::npos || held < promised) {
        return Reason::of<"it ends too early: its header promises {} bytes of pixels, the file "
                          "has {}",
                          "es endet zu früh: sein Kopf verspricht {} Bytes an Pixeln, die Datei "
                          "hat {}">(promised, held);
    }
    return std::nullopt;
}

// Qt reads uncompressed TGA files that end in the 26-byte footer of TGA 2.0.
std::optional<Reason> MissingTgaPart(Bytes file) {
    constexpr std::size_t Header = 18;
    constexpr std::size_t Footer = 26;
    if (file.size() < Header) {
        return std::nullopt;
    }
    const std::uint64_t mapDepth = file[7] == 15 ? 16 : file[7];
    const std::uint64_t map = file[1] == 1 ? Unsigned(file, 5, 2) * mapDepth / 8 : 0;
    const std::uint64_t pixels = Unsigned(file, 12, 2) * Unsigned(file, 14, 2) * (file[16] / 8);
    return ShorterThan(Header + file[0] + map + pixels + Footer, file.size());
}

} // namespace

std::optional<Reason> MissingPart(const QByteArray& format, Bytes file) {
    if (format == "bmp") {
        return MissingBmpPart(file);
    }
    if (format == "gif") {
        return MissingGifPart(file);
    }
    if (format == "xbm") {
        return MissingXbmPart(file);
    }
    if (format == "tga") {
        return MissingTgaPart(file);
    }
    return std::nullopt;
}

} // namespace kalvero
