#include "bios/LogoFitting.h"

#include "bios/ImageBytes.h"
#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/import/PictureDetail.h"
#include "document/LogoGeometry.h"
#include "lh5/Lh5Encoder.h"

#include <map>
#include <span>

namespace kalvero::bios {
namespace {

// One rung of the ladder: the dithering, the most colours (0: as the target
// takes them) and the picture's width and height in eighths of the logo's,
// in the middle of black.
struct Rung {
    Dither dither;
    int colours;
    int eighths;
};

// From the picture as asked down to two colours in an eighth of the logo's
// width and height.
std::vector<Rung> Ladder(Dither asked) {
    std::vector<Rung> rungs{{asked, 0, 8}};
    if (asked == Dither::Diffusion) {
        rungs.push_back({Dither::Ordered, 0, 8});
    }
    if (asked != Dither::None) {
        rungs.push_back({Dither::None, 0, 8});
    }
    for (const int colours : {12, 8, 6, 4}) {
        rungs.push_back({Dither::None, colours, 8});
    }
    for (const int eighths : {6, 4, 3, 2, 1}) {
        rungs.push_back({Dither::None, 4, eighths});
    }
    rungs.push_back({Dither::None, 2, 1});
    return rungs;
}

Reason DitherName(Dither dither) {
    return dither == Dither::None      ? Reason::of<"no dithering", "ohne Rastern">()
           : dither == Dither::Ordered ? Reason::of<"ordered dithering", "geordnetes Rastern">()
                                       : Reason::of<"diffusion", "Fehlerstreuung">();
}

std::string Share(int eighths) {
    switch (eighths) {
    case 6:
        return "3/4";
    case 4:
        return "1/2";
    case 2:
        return "1/4";
    default:
        return std::to_string(eighths) + "/8";
    }
}

// What a rung gave up against the first.
Reason GivenUp(const Rung& rung, const Rung& asked) {
    Reason parts;
    const auto add = [&](const Reason& part) {
        parts = parts.empty() ? part : Reason::of<"{}, {}", "{}, {}">(parts, part);
    };
    if (rung.colours != 0) {
        add(Reason::of<"{} \u2192 {} colours", "{} \u2192 {} Farben">(PaletteSize, rung.colours));
    }
    if (rung.dither != asked.dither) {
        add(DitherName(rung.dither));
    }
    if (rung.eighths < 8) {
        add(Reason::of<"the picture at {} size on black", "das Bild in {} Größe auf Schwarz">(
            Share(rung.eighths)));
    }
    return parts;
}

// The EPA file of a fitted picture: an EPA 2.0 boot logo by way of the
// 16-colour bitmap whose palette suits it.
std::vector<std::uint8_t> MakeLogo(const RgbImage& original, const SwatchImage& fitted,
                                   const Rung& rung, const ImportSettings& settings) {
    SwatchImage picture = fitted;
    if (rung.eighths < 8) {
        const SwatchImage smaller =
            FitPicture(original, fitted.width * rung.eighths / 8, fitted.height * rung.eighths / 8,
                       settings.scaling, settings.invert);
        picture = OnBlack(smaller, fitted.width, fitted.height);
    }
    if (rung.colours > 0) {
        picture = WithColours(picture, rung.colours);
    }
    const std::vector<std::uint8_t> file = ImportFitted(picture, rung.dither, settings);
    if (settings.target != ImportTarget::ColourBitmap) {
        return file;
    }
    const std::span<const std::uint8_t> bitmap(file);
    return BuildEpa2Data(bitmap.subspan(BmpPaletteOffset, BmpPaletteLength),
                         bitmap.subspan(ColourBmpPixelOffset), picture.height == TallLogoHeight);
}

} // namespace

FileResult<ImportSettings> SettingsForLogo(const FileKind& kind, const ImportSettings& asked) {
    ImportSettings settings = asked;
    const bool logoHeight = kind.height == ShortLogoHeight || kind.height == TallLogoHeight;
    settings.tall = kind.height == TallLogoHeight;
    if (kind.type == FileType::EpaLogo && kind.width == LogoWidth && logoHeight) {
        settings.target = ImportTarget::EpaLogo;
    } else if (kind.type == FileType::Epa2Image && kind.colours == 16 && kind.width == LogoWidth &&
               logoHeight && kind.ownPalette) {
        settings.target = ImportTarget::ColourBitmap;
    } else if (kind.type == FileType::Epa2Image && kind.colours == 16 &&
               kind.width == FullScreenWidth) {
        settings.target = ImportTarget::FullScreen;
        settings.tall.reset();
        settings.fullScreenHeight = kind.height;
        settings.ownPalette = kind.ownPalette;
    } else {
        return Refusal(Reason::of<"the image's logo is {}, which Kalvero does not make of a "
                                  "picture: give an EPA file of that kind and size instead",
                                  "das Logo des Abbilds ist {}, das Kalvero nicht aus einem Bild "
                                  "macht: geben Sie stattdessen eine EPA-Datei dieser Art und "
                                  "Größe">(DescribeFileKind(kind)));
    }
    return settings;
}

FileResult<FittedLogo> FitLogo(const RgbImage& picture, const ImportSettings& settings,
                               std::size_t room, bool shrink) {
    const SwatchImage fitted = FitForImport(picture, settings);
    const std::vector<Rung> ladder = Ladder(settings.dither.value_or(DefaultDither(picture)));
    std::map<std::size_t, FittedLogo> tried;
    const auto attempt = [&](std::size_t r) -> const FittedLogo& {
        if (!tried.contains(r)) {
            std::vector<std::uint8_t> logo = MakeLogo(picture, fitted, ladder[r], settings);
            const std::size_t packed = lh5::EncodeLh5(logo).size();
            tried[r] = FittedLogo{std::move(logo), packed, {}};
        }
        return tried[r];
    };
    const auto fits = [&](std::size_t r) {
        return attempt(r).packedSize <= room;
    };
    const auto over = [&](std::size_t r, const Reason& what) {
        const std::size_t packed = attempt(r).packedSize;
        return Refusal(Reason::of<"{} packs to {} bytes, {} more than the {} bytes of room",
                                  "{} packt sich auf {} Bytes, {} mehr als die {} Bytes Platz">(
            what, packed, packed - room, room));
    };
    if (fits(0)) {
        return std::move(tried[0]);
    }
    if (!shrink) {
        return over(0,
                    Reason::of<"the picture made into the logo", "das zum Logo gemachte Bild">());
    }
    const std::size_t last = ladder.size() - 1;
    if (!fits(last)) {
        return over(last, Reason::of<"even with {}, the picture", "selbst mit {} das Bild">(
                              GivenUp(ladder[last], ladder[0])));
    }
    // The rungs pack smaller and smaller, and the lower ones are made and
    // packed faster: steps from the bottom that double until one does not
    // fit, then halving between the two, find the first rung that fits.
    std::size_t high = last;
    std::size_t low = 1;
    for (std::size_t step = 1; high > low; step *= 2) {
        const std::size_t next = high > low + step ? high - step : low;
        if (!fits(next)) {
            low = next + 1;
            break;
        }
        high = next;
    }
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (fits(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    FittedLogo result = std::move(tried[high]);
    result.note = Reason::of<"fitted: {}; {} of {} bytes", "eingepasst: {}; {} von {} Bytes">(
        GivenUp(ladder[high], ladder[0]), result.packedSize, room);
    return result;
}

} // namespace kalvero::bios
