#pragma once

#include <string>

namespace kalvero {

// What the window shows beside the canvas, as the commands leave it: the four
// options, which commands can be used, and the names shown. Both faces draw
// their controls from it and write the options back when the user changes them.
struct EditorControls {
    // The options, as the window is made; the stored ones replace them at start.
    bool backup = true;    // Backup
    bool german = true;    // Deutsch, else American
    bool messages = true;  // SaveCheck
    bool negative = false; // InversCheck

    bool saveEnabled = false;     // SichEpa_Command
    bool exportEnabled = false;   // EpaToBmp
    bool createEnabled = false;   // CreateEpa
    bool negativeEnabled = false; // InversCheck

    std::string epaName; // EpaNameAnzeige
    std::string bmpName; // BmpNameAnzeige
};

} // namespace kalvero
