#pragma once

#include <cstddef>
#include <string_view>

namespace kalvero {

// Where the windows' controls stand, in twips from the top left corner of
// the window's client area. The Qt windows place their widgets by these
// tables and the page its elements, which it is handed in pixels; neither
// keeps a place of its own.
struct ControlPlace {
    std::string_view name;
    int left;
    int top;
    int width;
    int height;
};

// Twips are planned at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

// Twips to whole pixels, the nearest, a half upwards.
constexpr int PixelsOfTwips(int twips) {
    const int twice = 2 * twips + TwipsPerPixel;
    const int divisor = 2 * TwipsPerPixel;
    return twice >= 0 ? twice / divisor : -((divisor - 1 - twice) / divisor);
}

// The main window's client area and its controls.
inline constexpr ControlPlace Form1ClientPlace{"Form1", 0, 0, 9030, 5835};
inline constexpr ControlPlace Form1Places[] = {
    {"Picture1", 120, 120, 2385, 2100},         {"ShowBmp_image", 6840, 120, 2100, 1950},
    {"Picture2", 2530, 360, 4260, 1500},        {"lblHyperlink", 3720, 0, 1935, 240},
    {"Label1", 4440, 1920, 735, 240},           {"Backup", 7680, 2640, 1215, 255},
    {"InversCheck", 7680, 3240, 1215, 255},     {"SaveCheck", 7680, 3840, 1215, 255},
    {"ShowRaster", 7680, 4440, 1215, 255},      {"Koordinaten", 120, 2760, 2295, 780},
    {"Farbauswahl", 120, 3480, 2172, 1332},     {"Ende_Command", 120, 5160, 972, 525},
    {"LadeEpa_Command", 1200, 5280, 1095, 405}, {"SichEpa_Command", 2280, 5280, 1095, 405},
    {"EpaToBmp", 3360, 5280, 1095, 405},        {"Deutsch", 4560, 5280, 432, 432},
    {"American", 5040, 5280, 432, 432},         {"CreateEpa", 5640, 5280, 1095, 405},
    {"LadeBmp_Command", 6720, 5280, 1095, 405}, {"Info", 7920, 5160, 972, 525},
    {"BmpNameAnzeige", 7920, 2160, 60, 195},    {"EpaNameAnzeige", 1200, 2400, 75, 195},
};

// The palette's colour bar and its 16 colours (Option1_0 to Option1_15, in
// two rows of eight), inside Farbauswahl.
inline constexpr ControlPlace ColourBarPlace{"FarbAuswahlBalken", 240, 240, 1692, 192};

constexpr ControlPlace ColourOptionPlace(int index) {
    return {"Option1_", 120 + 240 * (index % 8), 600 + 360 * (index / 8), 252, 252};
}

// The read-me window.
inline constexpr ControlPlace HinweisClientPlace{"Hinweis", 0, 0, 7200, 5580};
inline constexpr ControlPlace HinweisPlaces[] = {
    {"Label1", 2265, 0, 2685, 615},  {"Label7", 2895, 600, 1440, 195},
    {"Label4", 240, 120, 510, 240},  {"Label3", 5160, 120, 1845, 240},
    {"Text1", 240, 840, 6732, 4092}, {"Command1", 3000, 5040, 1335, 375},
};

// The about window. Its two labels take the size of their text.
inline constexpr ControlPlace Form3ClientPlace{"Form3", 0, 0, 4695, 4125};
inline constexpr ControlPlace Form3Places[] = {
    {"Image1", 240, 240, 480, 480},   {"Label1", 1080, 240, 0, 0},
    {"Label2", 1080, 720, 0, 0},      {"Line1", 240, 1200, 4215, 30},
    {"Text1", 240, 1380, 4215, 2040}, {"Command1", 1920, 3600, 975, 375},
};

// A file's name stands this many pixels below its picture (the canvas or the
// bitmap's preview), however tall the picture is.
inline constexpr int NameGapPixels = 1;

// The canvas's sunken frame around its drawing area, in pixels.
inline constexpr int CanvasFrameWidth = 2;

// The place of the control of that name in a window's table; a name the
// table lacks does not compile.
template <std::size_t N>
consteval ControlPlace PlaceIn(const ControlPlace (&places)[N], std::string_view name) {
    for (const ControlPlace& place : places) {
        if (place.name == name) {
            return place;
        }
    }
    throw "no control of that name in the window's table";
}

consteval ControlPlace Form1Place(std::string_view name) {
    return PlaceIn(Form1Places, name);
}

} // namespace kalvero
