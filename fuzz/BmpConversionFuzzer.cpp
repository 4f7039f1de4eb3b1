// The bitmap size decision and both conversions: two-colour bitmaps into EPA
// version-1 logos, 16-colour bitmaps into EPA 2.0 images, and back; the
// warnings about their headers.

#include "FuzzCheck.h"
#include "conversion/BmpFormat.h"
#include "conversion/BmpHeaderCheck.h"
#include "conversion/Epa2Image.h"
#include "conversion/FileConversion.h"
#include "conversion/MonoConversion.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::fuzz {
namespace {

constexpr std::array<std::uint64_t, 4> BmpLengths{MonoBmpShortLength, MonoBmpTallLength,
                                                  ColourBmpShortLength, ColourBmpTallLength};

void CheckConversion(std::span<const std::uint8_t> bmp, bool negative) {
    const BmpKind kind = ClassifyBmpSize(bmp.size());
    for (const BmpUse use : {BmpUse::Conversion, BmpUse::Picture}) {
        Require(BmpHeaderWarnings(bmp, use).empty() || kind != BmpKind::NotAccepted,
                "only accepted bitmaps are looked at");
    }
    const FileResult<std::vector<std::uint8_t>> epa = EpaFileFromBmp(bmp, negative);
    Require(epa.ok() == (kind != BmpKind::NotAccepted), "the size alone decides");
    if (!epa) {
        Require(epa.error().problem == FileProblem::NotAccepted, "a refusal says why");
        return;
    }
    const std::size_t expected =
        IsColourBmp(kind) ? (IsTallBmp(kind) ? 8628 : 5772) : (IsTallBmp(kind) ? 2367 : 1602);
    Require(epa.value().size() == expected, "each bitmap kind has its EPA length");

    // Back to a bitmap and forth again gives the same EPA file.
    const FileResult<std::vector<std::uint8_t>> bmpAgain = BmpFileFromEpa(epa.value());
    Require(bmpAgain.ok(), "every EPA file made here has a bitmap");
    Require(ClassifyBmpSize(bmpAgain.value().size()) == kind, "the bitmap kind comes back");
    const FileResult<std::vector<std::uint8_t>> epaAgain = EpaFileFromBmp(bmpAgain.value(), false);
    Require(epaAgain.ok() && epaAgain.value() == epa.value(), "the round trip is exact");
}

// The conversions on their own, with buffers of any length: missing bytes
// must count as 0, never be read.
void CheckShortBuffers(std::span<const std::uint8_t> bytes, bool tall) {
    LogoDocument document(tall);
    ConvertMonoBmp(document, bytes, false);
    const std::size_t half = bytes.size() / 2;
    const std::vector<std::uint8_t> image =
        BuildEpa2Data(bytes.subspan(0, half), bytes.subspan(half), tall);
    Require(image.size() == (tall ? 8628U : 5772U), "an EPA 2.0 image has its length");
}

} // namespace
} // namespace kalvero::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvero;
    const std::span<const std::uint8_t> input(data, size);
    if (size == 0) {
        fuzz::CheckConversion(input, false);
        return 0;
    }
    const bool negative = (data[0] & 4) != 0;
    fuzz::CheckConversion(input, negative);
    fuzz::CheckShortBuffers(input.subspan(1), (data[0] & 8) != 0);
    // The first byte picks an accepted length for the rest, so that the
    // conversions see every byte of most inputs.
    std::vector<std::uint8_t> fitted(input.begin() + 1, input.end());
    fitted.resize(fuzz::BmpLengths[data[0] & 3], 0);
    fuzz::CheckConversion(fitted, negative);
    return 0;
}
