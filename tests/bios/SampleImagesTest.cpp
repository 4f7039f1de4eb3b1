// The real Award images named by KALVERO_BIOS_SAMPLES. They belong to their
// makers and are never part of the repository; the facts below are what each
// image is known for, not any of its bytes.

#include "bios/ImageInspection.h"
#include "bios/ImageVerification.h"
#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "bios/SyntheticImage.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

struct Sample {
    const char* file;
    ImageLayout layout;
    bool epa2; // else an EPA version-1 short logo
    bool c3;
    bool wordSum;
};

constexpr Sample Samples[] = {
    {"430vx_55XWUQ0E.BIN", ImageLayout::SystemFirst, false, false, false},
    {"56a5_54p5b6b.bin", ImageLayout::SystemFirst, false, true, false},
    {"686bx_6BX.F1", ImageLayout::Split, true, true, true},
    {"be6ii_BEH_NP.BIN", ImageLayout::SystemFirst, false, true, false},
    {"ms6199va_W6199VC8.BIN", ImageLayout::Split, true, true, false},
    {"p3v133_1003.002", ImageLayout::Split, false, false, false},
};

// Every check holds, the logo is of its kind and a logo of the same kind
// (itself or another) replaces it in an image that verifies again.
TEST(SampleImages, VerifyAndTakeANewLogo) {
    const char* folder = std::getenv("KALVERO_BIOS_SAMPLES");
    if (folder == nullptr || *folder == '\0') {
        GTEST_SKIP() << "KALVERO_BIOS_SAMPLES names no folder of real BIOS images; they are not "
                        "checked";
    }
    for (const Sample& sample : Samples) {
        SCOPED_TRACE(sample.file);
        const std::vector<std::uint8_t> image =
            test::ReadBytes(std::filesystem::path(folder) / sample.file);
        const FileResult<ImageInspection> inspection = InspectAwardImage(image);
        ASSERT_TRUE(inspection.ok()) << inspection.error().reason;
        const std::vector<CheckResult> checks = VerifyImage(inspection.value());
        ASSERT_TRUE(AllHold(checks));
        EXPECT_EQ(inspection.value().image.layout, sample.layout);
        EXPECT_EQ(checks[4].verdict == Verdict::Holds, sample.c3);
        EXPECT_EQ(checks[5].verdict == Verdict::Holds, sample.wordSum);

        const FileResult<std::vector<std::uint8_t>> logo = LogoContent(inspection.value());
        ASSERT_TRUE(logo.ok()) << logo.error().reason;
        const std::vector<std::uint8_t>& old = logo.value();
        const FileKind kind = ClassifyFile(old.size(), std::span(old).first(FileHeadLength));
        EXPECT_EQ(DescribeFileKind(kind), sample.epa2 ? "EPA 2.0, 4-bit (16 colours), 136 x 84"
                                                      : "EPA version 1, short logo, 136 x 84");

        const std::vector<std::uint8_t> other =
            sample.epa2 ? test::Epa2Logo(false, 3) : test::EpaLogo(false, 3);
        for (const std::vector<std::uint8_t>& replacement : {old, other}) {
            const FileResult<LogoReplacement> replaced = ReplaceLogo(image, replacement);
            ASSERT_TRUE(replaced.ok()) << replaced.error().reason;
            const FileResult<ImageInspection> again = InspectAwardImage(replaced.value().image);
            ASSERT_TRUE(again.ok()) << again.error().reason;
            EXPECT_TRUE(AllHold(VerifyImage(again.value())));
            EXPECT_EQ(LogoContent(again.value()).value(), replacement);
        }
    }
}

} // namespace
} // namespace kalvero::bios
