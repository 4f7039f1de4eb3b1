#include "PictureFile.h"

#include "conversion/import/PictureImport.h"
#include "document/FileIo.h"

#include <cstdint>

namespace kalvero::web {
namespace {

constexpr std::string_view Suffix = ".rgba";
constexpr std::size_t HeaderLength = 8;
// As many pixels as kalvero-cli import decodes: 128 MiB at 4 bytes a pixel.
constexpr std::uint64_t MostPixels = 32u * 1024 * 1024;

std::uint32_t Number(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                      static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::optional<RgbImage> DecodedPixels(const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    const FileResult<std::uint64_t> length = FileLength(file);
    if (!length || length.value() < HeaderLength ||
        length.value() > HeaderLength + 4 * MostPixels) {
        return std::nullopt;
    }
    const FileResult<std::vector<std::uint8_t>> read =
        ReadFileExactly(file, static_cast<std::size_t>(length.value()));
    if (!read) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t>& bytes = read.value();
    const std::uint64_t width = Number(bytes, 0);
    const std::uint64_t height = Number(bytes, 4);
    if (width == 0 || height == 0 || width * height > MostPixels ||
        bytes.size() != HeaderLength + 4 * width * height) {
        return std::nullopt;
    }
    RgbImage picture{static_cast<int>(width), static_cast<int>(height), {}};
    picture.pixels.reserve(static_cast<std::size_t>(width * height));
    for (std::size_t at = HeaderLength; at < bytes.size(); at += 4) {
        // Over black, as kalvero-cli import lays a picture: logos show on black.
        const unsigned alpha = bytes[at + 3];
        picture.pixels.push_back({static_cast<std::uint8_t>(bytes[at] * alpha / 255),
                                  static_cast<std::uint8_t>(bytes[at + 1] * alpha / 255),
                                  static_cast<std::uint8_t>(bytes[at + 2] * alpha / 255)});
    }
    return picture;
}

// The last picture made into a bitmap, and the bitmap's path.
std::optional<std::pair<std::string, RgbImage>> lastPicture;

} // namespace

bool IsDecodedPicture(const std::string& path) {
    return path.size() > Suffix.size() && path.ends_with(Suffix);
}

std::string BitmapFromDecodedPicture(const std::string& path) {
    const std::string picture = path.substr(0, path.size() - Suffix.size());
    const std::optional<RgbImage> pixels = DecodedPixels(path);
    if (!pixels) {
        return picture;
    }
    ImportSettings settings;
    settings.target = ImportTarget::MonoBitmap;
    const std::string::size_type point = picture.rfind('.');
    const std::string::size_type slash = picture.rfind('/');
    const std::string bitmap =
        (point != std::string::npos && (slash == std::string::npos || point > slash + 1)
             ? picture.substr(0, point)
             : picture) +
        ".bmp";
    if (!WriteFileAtomically(PathFromUtf8(bitmap), ImportPicture(*pixels, settings))) {
        return picture;
    }
    lastPicture.emplace(bitmap, *pixels);
    return bitmap;
}

std::optional<RgbImage> PictureBehindBitmap(const std::string& path) {
    return lastPicture && lastPicture->first == path ? std::optional(lastPicture->second)
                                                     : std::nullopt;
}

} // namespace kalvero::web
