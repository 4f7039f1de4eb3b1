// The readers behind kalvero-cli render and epa2bmp: the file classification,
// the EPA 2.0 reader for 16 and 256 colours, its bitmap, the writer of 16
// colours and the previews in the editor's and the PC's views.

#include "FuzzCheck.h"
#include "conversion/Epa2Image.h"
#include "conversion/FileKind.h"
#include "conversion/PreviewImage.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::fuzz {
namespace {

// Bounds the fitted images, so that a run stays fast.
constexpr std::size_t MaxFittedLength = 1 << 16;

void CheckFile(std::span<const std::uint8_t> file, const PreviewOptions& options) {
    const FileKind kind = ClassifyFile(file.size(), file);
    const FileResult<Epa2Picture> picture = ParseEpa2(file);
    if (picture) {
        const Epa2Picture& p = picture.value();
        Require(p.indices.size() == static_cast<std::size_t>(p.width) * p.height,
                "one index a pixel");
        Require(p.palette6.size() == (p.bitsPerPixel == 4 ? 48U : 768U), "a whole palette");
        for (const std::uint8_t index : p.indices) {
            static_cast<void>(Epa2Colour(p, index));
        }
        if (kind.type == FileType::Epa2Image) {
            Require(kind.width == p.width && kind.height == p.height &&
                        kind.colours == (p.bitsPerPixel == 4 ? 16 : 256),
                    "classification and reader agree");
        }
        const FileResult<std::vector<std::uint8_t>> bmp = Epa2ToColourBmp(p);
        Require(bmp.ok() == (p.bitsPerPixel == 4), "every 16-colour image has its bitmap");
        if (bmp) {
            const std::size_t rowLength = (static_cast<std::size_t>(p.width) + 7) / 8 * 4;
            Require(bmp.value().size() == 118 + rowLength * static_cast<std::size_t>(p.height),
                    "a 16-colour bitmap has its length");
            const FileResult<Epa2Picture> again = ParseEpa2(WriteEpa2(p));
            Require(again && again.value().indices == p.indices &&
                        again.value().palette6 == p.palette6,
                    "the writer keeps every pixel and the palette");
        }
    }
    const FileResult<RgbImage> preview = RenderPreview(file, options);
    if (options.grid && options.view != PreviewView::Editor) {
        Require(!preview, "the PC's views have no grid");
    }
    if (preview) {
        const RgbImage& image = preview.value();
        Require(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height,
                "a preview has all its pixels");
        Require(kind.type != FileType::NotAccepted, "only accepted files are drawn");
    }
}

} // namespace
} // namespace kalvero::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvero;
    if (size < 1) {
        return 0;
    }
    const PreviewOptions options{1 + (data[0] & 1), (data[0] & 2) != 0,
                                 static_cast<PreviewView>((data[0] >> 3) % 3)};
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    fuzz::CheckFile(file, options);

    // Most headers do not match their file's length; fit the length to the
    // header (16 colours when bit 2 of the first byte is clear, else 256) so
    // that the pixels and palettes are read.
    if (file.size() < FileHeadLength) {
        return 0;
    }
    const std::size_t width = file[4] | file[5] << 8;
    const std::size_t height = file[6] | file[7] << 8;
    const bool planar = (data[0] & 4) == 0;
    const std::size_t pixels = planar ? height * 4 * ((width + 7) / 8) : width * height;
    const std::size_t length = FileHeadLength + pixels + 4 + (planar ? 48 : 768);
    if (length > fuzz::MaxFittedLength) {
        return 0;
    }
    std::vector<std::uint8_t> fitted(file.begin(), file.end());
    fitted.resize(length, 0);
    const char marker[] = "RGB ";
    std::copy(marker, marker + 4, fitted.begin() + static_cast<long>(FileHeadLength + pixels));
    fuzz::CheckFile(fitted, options);
    return 0;
}
