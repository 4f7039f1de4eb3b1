#include "conversion/import/PictureImport.h"

#include "conversion/import/TestPictures.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::FlatPicture;

TEST(PictureImport, DrawingsOfAtMost256ColoursAreNotDithered) {
    RgbImage picture = FlatPicture(257, 1, {});
    for (int i = 0; i < 256; ++i) {
        picture.pixels[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), 0, 0};
    }
    picture.pixels[256] = {0, 0, 0}; // a repeat: still 256
    EXPECT_EQ(DefaultDither(picture), Dither::None);
    picture.pixels[256] = {0, 1, 0}; // the 257th
    EXPECT_EQ(DefaultDither(picture), Dither::Diffusion);
}

} // namespace
} // namespace kalvero
