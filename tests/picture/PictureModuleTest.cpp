#include "picture/PictureModule.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero::test {
namespace {

TEST(PictureModule, ModuleThatCannotBeLoadedSaysSo) {
    const TempDir dir;
    WriteBytes(dir.file("kalvero-picture.so"), {'n', 'o', 't', '\n'});
    const std::string missing = dir.file("missing.so").string();
    const std::string broken = dir.file("kalvero-picture.so").string();
    const std::uint8_t png[] = {0x89, 'P', 'N', 'G'};

    const FileResult<DecodedPicture> fromMissing = PictureModule(missing).decode(png);
    ASSERT_FALSE(fromMissing.ok());
    EXPECT_EQ(fromMissing.error().reason,
              "cannot read pictures: the picture module " + missing + " is missing");

    const FileResult<DecodedPicture> fromBroken = PictureModule(broken).decode(png);
    ASSERT_FALSE(fromBroken.ok());
    EXPECT_TRUE(fromBroken.error().reason.starts_with("cannot read pictures: the picture module " +
                                                      broken + " cannot be loaded ("))
        << fromBroken.error().reason;
}

} // namespace
} // namespace kalvero::test
