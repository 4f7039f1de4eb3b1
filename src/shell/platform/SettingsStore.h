#pragma once

#include "shell/platform/Registry.h"

namespace kalvero {

// The four persistent options, one per control: Backup, Deutsch (against
// American), SaveCheck and InversCheck.
struct OptionStates {
    bool backup = true;
    bool german = true;
    bool messages = true;
    bool negative = false;

    bool operator==(const OptionStates&) const = default;
};

inline constexpr const char* SettingsKey = "Software\\Kalvero";

// Reads the four values, or creates the key with the defaults when it cannot
// be opened, and returns the states to apply, starting from `current` (the
// controls' states when the window opened).
OptionStates LoadSettings(Registry& registry, const OptionStates& current);

// Writes the four values at exit. The key is not created here; failures are
// ignored.
void SaveSettings(Registry& registry, const OptionStates& states);

} // namespace kalvero
