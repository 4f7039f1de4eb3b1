#include "bios/LogoFitting.h"

#include "bios/SyntheticImage.h"
#include "lh5/Lh5Encoder.h"

#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

// Noise of many colours: import dithers it by diffusion, and it packs badly.
RgbImage NoisyPicture(int width, int height) {
    const std::vector<std::uint8_t> noise =
        test::Noise(static_cast<std::size_t>(width * height * 3), 5);
    RgbImage picture{width, height, {}};
    for (std::size_t i = 0; i < noise.size(); i += 3) {
        picture.pixels.push_back({noise[i], noise[i + 1], noise[i + 2]});
    }
    return picture;
}

// Each kind of logo an image may hold is made of a picture as that kind, or
// refused; the kinds Kalvero makes come out as the image's kind.
TEST(SettingsForLogo, TheImagesKindDecides) {
    const RgbImage picture = NoisyPicture(32, 24);
    ImportSettings asked;
    asked.dither = Dither::None;
    const std::tuple<FileKind, std::string> cases[] = {
        {{FileType::EpaLogo, 2367, 136, 126, 16, {}}, ""},
        {{FileType::Epa2Image, 5772, 136, 84, 16, {}}, ""},
        {{FileType::Epa2Image, 148488, 640, 464, 16, {}, false}, ""},
        {{FileType::Epa2Image, 153660, 640, 480, 16, {}}, ""},
        {{FileType::Epa2Image, 0, 136, 84, 256, {}}, "EPA 2.0, 8-bit (256 colours), 136 x 84"},
        {{FileType::EpaLogo, 582, 136, 28, 16, {}}, "EPA version 1, short logo, 136 x 28"},
    };
    for (const auto& [kind, refused] : cases) {
        const FileResult<ImportSettings> settings = SettingsForLogo(kind, asked);
        if (!refused.empty()) {
            ASSERT_FALSE(settings.ok());
            EXPECT_EQ(settings.error().reason.english(),
                      "the image's logo is " + refused +
                          ", which Kalvero does not make of a picture: give an EPA file of that "
                          "kind and size instead");
            continue;
        }
        const FileResult<FittedLogo> fitted = FitLogo(picture, settings.value(), 1 << 20, true);
        ASSERT_TRUE(fitted.ok());
        const std::vector<std::uint8_t>& logo = fitted.value().logo;
        EXPECT_EQ(DescribeFileKind(ClassifyFile(logo.size(), logo)), DescribeFileKind(kind));
    }
}

// A version-1 logo of noise as asked packs to `asked` bytes; with less room
// it is refused, or made again with less detail and packs to what it says.
TEST(FitLogo, GivesUpDetailUntilItFitsOrSaysByHowMuch) {
    const RgbImage picture = NoisyPicture(136, 84);
    const ImportSettings settings;
    const std::vector<std::uint8_t> asIs = ImportPicture(picture, settings);
    const std::size_t asked = lh5::EncodeLh5(asIs).size();
    const std::string room = std::to_string(asked - 1) + " bytes of room";
    const std::tuple<std::size_t, bool, std::string> cases[] = {
        {asked, false, ""},
        {asked - 1, false,
         "the picture made into the logo packs to " + std::to_string(asked) +
             " bytes, 1 more than the " + room},
        {asked - 1, true, "fitted: "},
        {20, true,
         "even with 16 \u2192 2 colours, no dithering, the picture at 1/8 size on black, the "
         "picture packs to "},
    };
    for (const auto& [bytes, shrink, said] : cases) {
        const FileResult<FittedLogo> fitted = FitLogo(picture, settings, bytes, shrink);
        const std::string text = (fitted ? fitted.value().note : fitted.error().reason).english();
        EXPECT_TRUE(text.starts_with(said)) << text;
        if (fitted) {
            const std::size_t packed = lh5::EncodeLh5(fitted.value().logo).size();
            EXPECT_EQ(fitted.value().packedSize, packed);
            EXPECT_LE(packed, bytes);
            EXPECT_EQ(fitted.value().logo == asIs, said.empty());
            EXPECT_EQ(text.ends_with("; " + std::to_string(packed) + " of " +
                                     std::to_string(bytes) + " bytes"),
                      !said.empty());
        }
    }
}

} // namespace
} // namespace kalvero::bios
