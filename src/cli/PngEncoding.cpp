#include "cli/PngEncoding.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <zlib.h>

namespace kalvero::cli {
namespace {

constexpr std::array<std::uint8_t, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t PaletteColourType = 3;
constexpr std::uint8_t RgbColourType = 2;
constexpr std::size_t MostPaletteColours = 256;

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// Length, type, data and the CRC of type and data.
void AppendChunk(std::vector<std::uint8_t>& out, std::string_view type,
                 const std::vector<std::uint8_t>& data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    AppendBigEndian(out, static_cast<std::uint32_t>(crc));
}

std::uint32_t Key(Rgb colour) {
    return (static_cast<std::uint32_t>(colour.r) << 16) |
           (static_cast<std::uint32_t>(colour.g) << 8) | colour.b;
}

// The picture's colours in order of first appearance, or nothing when there
// are more than a palette holds.
std::optional<std::vector<Rgb>> PaletteOf(const RgbImage& picture) {
    std::vector<Rgb> palette;
    std::vector<std::uint32_t> keys;
    Rgb last = picture.pixels.empty() ? Rgb{} : picture.pixels.front();
    for (const Rgb pixel : picture.pixels) {
        if (pixel == last && !palette.empty()) {
            continue;
        }
        last = pixel;
        if (std::find(keys.begin(), keys.end(), Key(pixel)) == keys.end()) {
            if (palette.size() == MostPaletteColours) {
                return std::nullopt;
            }
            palette.push_back(pixel);
            keys.push_back(Key(pixel));
        }
    }
    return palette;
}

int BitsFor(std::size_t colours) {
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// Rows of palette indices packed to the bit depth, each after filter byte 0.
std::vector<std::uint8_t> IndexRows(const RgbImage& picture, const std::vector<Rgb>& palette,
                                    int bits) {
    std::vector<std::pair<std::uint32_t, std::uint8_t>> index;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        index.emplace_back(Key(palette[i]), static_cast<std::uint8_t>(i));
    }
    std::sort(index.begin(), index.end());
    const auto indexOf = [&](Rgb colour) {
        return std::lower_bound(index.begin(), index.end(),
                                std::pair<std::uint32_t, std::uint8_t>(Key(colour), 0))
            ->second;
    };
    const std::size_t width = static_cast<std::size_t>(picture.width);
    const std::size_t rowBytes = (width * static_cast<std::size_t>(bits) + 7) / 8;
    std::vector<std::uint8_t> rows;
    rows.reserve((rowBytes + 1) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        const std::size_t start = rows.size();
        rows.resize(start + rowBytes, 0);
        Rgb last{};
        std::uint8_t lastIndex = 0;
        for (int x = 0; x < picture.width; ++x) {
            const Rgb pixel = picture.at(x, y);
            if (x == 0 || !(pixel == last)) {
                last = pixel;
                lastIndex = indexOf(pixel);
            }
            const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
            rows[start + bit / 8] |=
                static_cast<std::uint8_t>(lastIndex << (8 - bits - static_cast<int>(bit % 8)));
        }
    }
    return rows;
}

std::vector<std::uint8_t> RgbRows(const RgbImage& picture) {
    std::vector<std::uint8_t> rows;
    rows.reserve((static_cast<std::size_t>(picture.width) * 3 + 1) *
                 static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < picture.width; ++x) {
            const Rgb pixel = picture.at(x, y);
            rows.insert(rows.end(), {pixel.r, pixel.g, pixel.b});
        }
    }
    return rows;
}

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> compressed(length);
    compress2(compressed.data(), &length, data.data(), static_cast<uLong>(data.size()),
              Z_DEFAULT_COMPRESSION);
    compressed.resize(length);
    return compressed;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const RgbImage& picture) {
    const std::optional<std::vector<Rgb>> palette = PaletteOf(picture);
    const int bits = palette ? BitsFor(palette->size()) : 8;
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(picture.width));
    AppendBigEndian(header, static_cast<std::uint32_t>(picture.height));
    // Bit depth, colour type, deflate, filtering per row, no interlacing.
    header.insert(header.end(), {static_cast<std::uint8_t>(bits),
                                 palette ? PaletteColourType : RgbColourType, 0, 0, 0});

    std::vector<std::uint8_t> png(Signature.begin(), Signature.end());
    AppendChunk(png, "IHDR", header);
    if (palette) {
        std::vector<std::uint8_t> entries;
        for (const Rgb colour : *palette) {
            entries.insert(entries.end(), {colour.r, colour.g, colour.b});
        }
        AppendChunk(png, "PLTE", entries);
    }
    AppendChunk(png, "IDAT",
                Deflate(palette ? IndexRows(picture, *palette, bits) : RgbRows(picture)));
    AppendChunk(png, "IEND", {});
    return png;
}

} // namespace kalvero::cli
