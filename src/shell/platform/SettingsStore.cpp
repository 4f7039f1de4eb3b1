#include "shell/platform/SettingsStore.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace kalvero {

namespace {

// The value names, always handled in this order.
constexpr const char* Sichern = "sichern";
constexpr const char* Sprache = "sprache";
constexpr const char* Meldung = "meldung";
constexpr const char* Negativ = "negativ";

// The only distinctions the settings make between stored numbers.
enum class StoredNumber { Zero, One, Other };

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number such as "1", " 01 ", "-0" or "1.00"; anything else, "" included, is
// no number. Exact on any length of digits, so "1.0000000000000000001" is not 1.
std::optional<StoredNumber> ParseStoredNumber(std::string_view text) {
    // Other tools store the terminating zero as part of the data.
    while (!text.empty() && text.back() == '\0') {
        text.remove_suffix(1);
    }
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    for (std::string_view digits : {whole, fraction}) {
        for (char c : digits) {
            if (!IsDigit(c)) {
                return std::nullopt;
            }
        }
    }
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) {
        return StoredNumber::Other;
    }
    if (whole.empty()) {
        return StoredNumber::Zero;
    }
    return whole == "1" && !negative ? StoredNumber::One : StoredNumber::Other;
}

std::optional<StoredNumber> ReadNumber(Registry& registry, Registry::Key key, const char* name) {
    const std::optional<std::string> text = registry.queryValue(key, name);
    return text ? ParseStoredNumber(*text) : std::nullopt;
}

const char* Flag(bool on) {
    return on ? "1" : "0";
}

void WriteAll(Registry& registry, Registry::Key key, const OptionStates& states) {
    registry.setValue(key, Sichern, Flag(states.backup));
    registry.setValue(key, Sprache, Flag(states.german));
    registry.setValue(key, Meldung, Flag(states.messages));
    registry.setValue(key, Negativ, Flag(states.negative));
}

} // namespace

OptionStates LoadSettings(Registry& registry, const OptionStates& current) {
    const std::optional<Registry::Key> key =
        registry.openKey(RegistryRoot::CurrentUser, SettingsKey, RegistryAccess::QueryValue);
    if (!key) {
        // First start: the defaults apply even when they cannot be stored.
        const OptionStates defaults{
            .backup = true, .german = false, .messages = true, .negative = false};
        if (const std::optional<Registry::Key> created =
                registry.createKey(RegistryRoot::CurrentUser, SettingsKey)) {
            WriteAll(registry, *created, defaults);
            registry.closeKey(*created);
        }
        return defaults;
    }

    // A value that is missing or holds no number keeps the control's state:
    // it has no stored choice to apply.
    OptionStates states = current;
    if (const auto backup = ReadNumber(registry, *key, Sichern);
        backup && *backup != StoredNumber::Other) {
        states.backup = *backup == StoredNumber::One;
    }
    if (const auto german = ReadNumber(registry, *key, Sprache)) {
        states.german = *german == StoredNumber::One;
    }
    if (const auto messages = ReadNumber(registry, *key, Meldung)) {
        states.messages = *messages == StoredNumber::One;
    }
    if (const auto negative = ReadNumber(registry, *key, Negativ)) {
        states.negative = *negative == StoredNumber::One;
    }
    registry.closeKey(*key);
    return states;
}

void SaveSettings(Registry& registry, const OptionStates& states) {
    const std::optional<Registry::Key> key =
        registry.openKey(RegistryRoot::CurrentUser, SettingsKey, RegistryAccess::AllAccess);
    if (!key) {
        return;
    }
    WriteAll(registry, *key, states);
    registry.closeKey(*key);
}

} // namespace kalvero
