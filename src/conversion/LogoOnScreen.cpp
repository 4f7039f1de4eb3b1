#include "conversion/LogoOnScreen.h"

#include "conversion/BootView.h"
#include "conversion/Epa2Image.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kalvero {
namespace {

constexpr int TextScreenWidth = 720;
constexpr int TextScreenHeight = 400;
constexpr int CharacterWidth = 9;
constexpr int CharacterHeight = 16;
constexpr int GlyphWidth = 8;
constexpr int GlyphHeight = 14;
constexpr int TextColumns[] = {60, 63};
constexpr int TextRows[] = {0, 1};

constexpr int GraphicsWidth = 640;
constexpr int GraphicsHeight = 480;
constexpr int Epa2Left = 480;
constexpr int Epa2Top = 16;
constexpr int Epa2Reach = 40;

// A VGA keeps 6 bits a channel, and boards set their palettes their own way:
// colours this near the background may show as it.
constexpr int Unsure = 24;

int Distance(const Rgb& a, const Rgb& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

// One pixel of the logo to compare, as an offset on the screen.
struct Probe {
    int dx;
    int dy;
    bool lit;
};

// The logo's pixels that can be told, the lit ones first: a screen without
// the logo fails on its first probe, mostly.
std::vector<Probe> Probes(const RgbImage& logo, const Rgb& background, bool textMode) {
    std::vector<Probe> lit;
    std::vector<Probe> unlit;
    for (int y = 0; y < logo.height; ++y) {
        for (int x = 0; x < logo.width; ++x) {
            const int distance = Distance(logo.at(x, y), background);
            if (distance > 0 && distance < Unsure) {
                continue;
            }
            const Probe probe =
                textMode ? Probe{x / GlyphWidth * CharacterWidth + x % GlyphWidth,
                                 y / GlyphHeight * CharacterHeight + y % GlyphHeight, distance > 0}
                         : Probe{x, y, distance > 0};
            (probe.lit ? lit : unlit).push_back(probe);
        }
    }
    if (lit.empty()) {
        return {};
    }
    lit.insert(lit.end(), unlit.begin(), unlit.end());
    return lit;
}

bool Matches(const RgbImage& screen, const Rgb& background, const std::vector<Probe>& probes,
             ScreenSpot spot) {
    return std::all_of(probes.begin(), probes.end(), [&](const Probe& probe) {
        const int distance = Distance(screen.at(spot.x + probe.dx, spot.y + probe.dy), background);
        return probe.lit ? distance >= Unsure : distance == 0;
    });
}

std::vector<ScreenSpot> Candidates(const FileKind& kind, const RgbImage& screen) {
    std::vector<ScreenSpot> spots;
    if (kind.type == FileType::EpaLogo) {
        if (screen.width == TextScreenWidth && screen.height == TextScreenHeight) {
            for (const int row : TextRows) {
                for (const int column : TextColumns) {
                    spots.push_back({column * CharacterWidth, row * CharacterHeight});
                }
            }
        }
        return spots;
    }
    if (screen.width != GraphicsWidth || screen.height != GraphicsHeight) {
        return spots;
    }
    for (int y = std::max(0, Epa2Top - Epa2Reach); y <= Epa2Top + Epa2Reach; ++y) {
        for (int x = Epa2Left - Epa2Reach; x <= Epa2Left + Epa2Reach; ++x) {
            spots.push_back({x, y});
        }
    }
    return spots;
}

} // namespace

std::optional<ScreenSpot> FindLogoOnScreen(const RgbImage& screen, const FileKind& kind,
                                           std::span<const std::uint8_t> file) {
    if (screen.width <= 0 || screen.height <= 0) {
        return std::nullopt;
    }
    const FileResult<RgbImage> logo = RenderBootView(kind, file, 1, false);
    if (!logo) {
        return std::nullopt;
    }
    Rgb logoBackground{0, 0, 0};
    if (kind.type == FileType::Epa2Image) {
        const FileResult<Epa2Picture> picture = ParseEpa2(file);
        if (picture) {
            logoBackground = Epa2Colour(picture.value(), 0);
        }
    }
    const bool textMode = kind.type == FileType::EpaLogo;
    const std::vector<Probe> probes = Probes(logo.value(), logoBackground, textMode);
    if (probes.empty()) {
        return std::nullopt;
    }
    const int right =
        textMode ? (logo.value().width / GlyphWidth) * CharacterWidth : logo.value().width;
    const int bottom =
        textMode ? (logo.value().height / GlyphHeight) * CharacterHeight : logo.value().height;
    // The text rows below the logo are the screen's, and so is its colour.
    const Rgb screenBackground = screen.at(screen.width - 1, screen.height - 1);
    for (const ScreenSpot spot : Candidates(kind, screen)) {
        if (spot.x + right <= screen.width && spot.y + bottom <= screen.height &&
            Matches(screen, screenBackground, probes, spot)) {
            return spot;
        }
    }
    return std::nullopt;
}

} // namespace kalvero
