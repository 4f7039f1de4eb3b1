#include "conversion/PreviewImage.h"

#include "conversion/Epa2TestFile.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalvero {
namespace {

using test::Epa2Image256;

TEST(RenderPreview, RefusesWhatItCannotDraw) {
    struct Case {
        std::vector<std::uint8_t> file;
        int scale;
        std::string reason;
    };
    const Case cases[] = {
        {Epa2Image256(4096, 4096), 1, ""},
        {Epa2Image256(4096, 4096), 3, "picture too large to draw: 4096 x 4096 pixels at scale 3"},
        {Epa2Image256(2, 2), 0, "scale below 1"},
        {std::vector<std::uint8_t>(1602, 0), -1, "scale below 1"},
        {std::vector<std::uint8_t>(1603, 0), 1,
         "wrong size: 1603 bytes (neither an EPA file nor one of the four accepted bitmaps)"},
    };
    for (const Case& c : cases) {
        const FileResult<RgbImage> image = RenderPreview(c.file, PreviewOptions{c.scale, false});
        EXPECT_EQ(image.ok(), c.reason.empty()) << c.reason;
        if (!image.ok()) {
            EXPECT_EQ(image.error().reason, c.reason);
        }
    }
}

TEST(RenderPreview, EmptyLogoIsBlackAndTheGridGrey) {
    const FileResult<RgbImage> image =
        RenderPreview(std::vector<std::uint8_t>(1602, 0), PreviewOptions{1, true});
    ASSERT_TRUE(image.ok());
    ASSERT_EQ(image.value().width, 154);
    ASSERT_EQ(image.value().height, 91);
    int grey = 0;
    for (const Rgb& pixel : image.value().pixels) {
        grey += pixel == Rgb{224, 224, 224} ? 1 : 0;
    }
    EXPECT_EQ(grey, 154 * 91 - 136 * 84);
}

} // namespace
} // namespace kalvero
