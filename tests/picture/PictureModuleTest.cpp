#include "picture/PictureModule.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero::test {
namespace {

TEST(PictureModule, ModuleThatCannotBeLoadedSaysSo) {
    const TempDir dir;
    WriteBytes(dir.file("kalvero-picture.so"), {'n', 'o', 't', '\n'});
    const std::uint8_t png[] = {0x89, 'P', 'N', 'G'};
    const std::string prefix = "cannot read pictures: the picture module ";
    for (const auto& [name, reason] : {std::pair{"missing.so", " is missing"},
                                       std::pair{"kalvero-picture.so", " cannot be loaded ("}}) {
        const FileResult<DecodedPicture> decoded =
            PictureModule(dir.file(name).string()).decode(png);
        ASSERT_FALSE(decoded.ok());
        EXPECT_TRUE(
            decoded.error().reason.english().starts_with(prefix + dir.file(name).string() + reason))
            << decoded.error().reason.english();
    }
}

} // namespace
} // namespace kalvero::test
