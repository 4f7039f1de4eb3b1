// The real Award images named by KALVERO_BIOS_SAMPLES. They belong to their
// makers and are never part of the repository; the facts below are what each
// image is known for, not any of its bytes.

#include "bios/ImageInspection.h"
#include "bios/ImageVerification.h"
#include "bios/LogoReplacer.h"
#include "bios/SyntheticImage.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* Epa1 = "EPA version 1, short logo, 136 x 84";
constexpr const char* Epa2 = "EPA 2.0, 4-bit (16 colours), 136 x 84";

struct Sample {
    const char* file;
    ImageLayout layout;
    const char* logo;
    std::string_view held; // which of C3 and W hold; every other check does
    bool fullScreen;       // a full-screen logo of 640 x 480
} constexpr Samples[] = {
    {"430vx_55XWUQ0E.BIN", ImageLayout::SystemFirst, Epa1, "", false},
    {"56a5_54p5b6b.bin", ImageLayout::SystemFirst, Epa1, "C3", false},
    {"686bx_6BX.F1", ImageLayout::Split, Epa2, "C3 W", false},
    {"be6ii_BEH_NP.BIN", ImageLayout::SystemFirst, Epa1, "C3", false},
    {"ms6199va_W6199VC8.BIN", ImageLayout::Split, Epa2, "C3", true},
    {"p3v133_1003.002", ImageLayout::Split, Epa1, "", false},
};

// A logo put in gives an image that verifies and holds it.
void TakeLogo(const Bytes& image, const Bytes& logo, LogoPlace place) {
    const FileResult<Replacement> replaced = ReplaceLogo(image, logo, place);
    ASSERT_TRUE(replaced.ok()) << replaced.error().reason.english();
    const FileResult<ImageInspection> again = InspectAwardImage(replaced.value().image);
    ASSERT_TRUE(again.ok()) << again.error().reason.english();
    EXPECT_TRUE(AllHold(VerifyImage(again.value())));
    EXPECT_EQ(ExtractLogo(replaced.value().image, place).value(), logo);
}

// Every check holds, the logos are of their kind, and each takes its own logos
// back.
TEST(SampleImages, VerifyAndTakeTheirLogosBack) {
    const char* folder = std::getenv("KALVERO_BIOS_SAMPLES");
    if (folder == nullptr || *folder == '\0') {
        GTEST_SKIP() << "KALVERO_BIOS_SAMPLES names no folder of real BIOS images; they are not "
                        "checked";
    }
    for (const Sample& sample : Samples) {
        SCOPED_TRACE(sample.file);
        const Bytes image = test::ReadBytes(std::filesystem::path(folder) / sample.file);
        const FileResult<ImageInspection> inspection = InspectAwardImage(image);
        ASSERT_TRUE(inspection.ok()) << inspection.error().reason.english();
        EXPECT_EQ(inspection.value().image.layout, sample.layout);
        for (const CheckResult& check : VerifyImage(inspection.value())) {
            const bool optional = check.name == "C3" || check.name == "W";
            EXPECT_EQ(check.verdict == Verdict::Holds,
                      !optional || sample.held.find(check.name) != std::string_view::npos)
                << check.name;
        }
        // Their blocks of their own before the decompression block are told neutrally.
        EXPECT_EQ(DescribeAreas(inspection.value().image).warnings, std::vector<std::string>());
        EXPECT_EQ(
            DescribeFileKind(FindLogo(inspection.value(), LogoPlace::Boot).value().kind).english(),
            sample.logo);
        TakeLogo(image, ExtractLogo(image, LogoPlace::Boot).value(), LogoPlace::Boot);
        const FileResult<ImageLogo> screen = FindLogo(inspection.value(), LogoPlace::FullScreen);
        ASSERT_EQ(screen.ok(), sample.fullScreen);
        if (screen) {
            EXPECT_EQ(DescribeFileKind(screen.value().kind).english(),
                      "EPA 2.0, 4-bit (16 colours), 640 x 480");
            TakeLogo(image, ExtractLogo(image, LogoPlace::FullScreen).value(),
                     LogoPlace::FullScreen);
        }
    }
}

} // namespace
} // namespace kalvero::bios
