#include "cli/CliTest.h"

#include <QColor>

namespace kalvero::test {
namespace {

using CliBootView = CliTest;

// Cell 0 yellow on blue (attribute 0x1E), only its top-left pixel set; cell 1
// black on light grey (0x70), empty.
Bytes LogoWithBackgrounds() {
    Bytes logo = Logo(true);
    logo[2] = 0x1E;
    logo[3] = 0x70;
    logo[155] = 0x80;
    return logo;
}

Arguments Render(const Arguments& options, const std::string& input) {
    Arguments arguments{"render"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.insert(arguments.end(), {input, "out.png"});
    return arguments;
}

TEST_F(CliBootView, RenderDrawsWhatThePcShows) {
    write("logo.epa", LogoWithBackgrounds());
    // A 136 x 84 EPA 2.0 image, all index 0, entry 0 (0, 63, 63).
    Bytes epa2{'A', 'W', 'B', 'M', 136, 0, 84, 0};
    epa2.resize(8 + 84 * 68);
    epa2.insert(epa2.end(), {'R', 'G', 'B', ' ', 0, 63, 63});
    epa2.resize(5772);
    write("v2.epa", epa2);
    const QColor black(0, 0, 0);
    const QColor yellow(255, 255, 85);
    const std::tuple<Arguments, std::string, QSize, QPoint, QColor> cases[] = {
        {{}, "logo.epa", {136, 126}, {0, 0}, black}, // the editor shows attributes above 15 black
        {{"--boot", "--scale", "2"}, "logo.epa", {272, 252}, {1, 1}, yellow},
        {{"--boot-screen"}, "logo.epa", {640, 350}, {504, 0}, yellow},
        {{"--boot-screen", "--scale=2"}, "v2.epa", {1280, 960}, {1008, 0}, QColor(255, 255, 0)},
    };
    for (const auto& [options, input, size, at, colour] : cases) {
        const std::string what = Joined(options) + " " + input;
        ASSERT_EQ(run(Render(options, input)), Succeeded()) << what;
        const QImage image = png("out.png");
        EXPECT_EQ(image.size(), size) << what;
        EXPECT_EQ(image.pixelColor(at), colour) << what;
    }
}

// The command-line refusals of the boot views are CliUsage cases; the
// refusal of bitmaps a RenderPreview case.

// What info tells of a logo is a FileKind case; here, that it tells it.
TEST_F(CliBootView, InfoCountsTheCellsWithABackgroundColour) {
    EXPECT_EQ(run({"info", "-"}, WithInput(LogoWithBackgrounds())),
              Succeeded("-: EPA version 1, tall logo, 136 x 126; 2 cells have a background "
                        "colour, which the PC shows and the editor's canvas does not\n"));
}

} // namespace
} // namespace kalvero::test
