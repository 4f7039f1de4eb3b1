#include "shell/platform/SettingsStore.h"

#include "shell/platform/EpaFileType.h"
#include "shell/platform/FileRegistry.h"
#include "support/TempDir.h"

#include <array>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <vector>

namespace kalvero {
namespace {

const std::string Section = "; Kalvero settings, in the layout of a registry export\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Kalvero]\n";

// "1010": Backup and SaveCheck on, Deutsch and InversCheck off.
OptionStates States(const char* bits) {
    return {bits[0] == '1', bits[1] == '1', bits[2] == '1', bits[3] == '1'};
}

// Loads the settings from a file holding the text (none: as it is), then gives the file's text.
std::string Load(const test::TempDir& dir, const char* current, const char* expected,
                 const std::string& text = "") {
    if (!text.empty()) {
        test::WriteBytes(dir.file("settings"), {text.begin(), text.end()});
    }
    FileRegistry registry(dir.file("settings"));
    EXPECT_EQ(LoadSettings(registry, States(current)), States(expected)) << text;
    const auto bytes = test::ReadBytes(dir.file("settings"));
    return {bytes.begin(), bytes.end()};
}

TEST(SettingsStore, FirstStartStoresTheDefaultsInOrderAndSavingNeverCreatesTheFile) {
    const test::TempDir dir;
    FileRegistry registry(dir.file("settings"));
    SaveSettings(registry, States("0101"));
    EXPECT_TRUE(dir.entries().empty());
    EXPECT_EQ(Load(dir, "0001", "1010"), Section + "\"sichern\"=\"1\"\n\"sprache\"=\"0\"\n"
                                                   "\"meldung\"=\"1\"\n\"negativ\"=\"0\"\n");
    SaveSettings(registry, States("0101"));
    Load(dir, "1010", "0101");
}

TEST(SettingsStore, StoredNumbersAreAppliedByTheirOwnRules) {
    // "sichern": 0 or 1 is taken, any other number keeps Backup; the other three: 1 sets, any
    // other number clears. A missing value (nullptr) or one that is no number keeps the state.
    const std::tuple<std::array<const char*, 4>, const char*, const char*> cases[] = {
        {{"1", "0", "1", "0"}, "0101", "1010"},
        {{"2", "2", "2", "-1"}, "1111", "1000"},
        {{" 0 ", "01", "1.000", "+1"}, "1000", "0111"},
        {{"-0", "1.", "1.0000000000000000000001", "000001"}, "1010", "0101"},
        {{"0\\0", "1\\0", " 1 \\0", nullptr}, "1000", "0110"}, // stored with a terminating zero
    };
    for (const auto& [stored, current, expected] : cases) {
        std::string text = Section;
        for (std::size_t i = 0; i < 4; ++i) {
            const char* names[] = {"sichern", "sprache", "meldung", "negativ"};
            text += stored[i] ? "\"" + std::string(names[i]) + "\"=\"" + stored[i] + "\"\n" : "";
        }
        Load(test::TempDir(), current, expected, text);
    }
}

TEST(SettingsStore, DamagedFileIsReadAsFarAsItGoesAndAnOversizedOneNotAtAll) {
    const std::string values = Section + "\"sichern\"=\"0\"\n";
    const std::string oversized = values + std::string(FileRegistry::MaxFileBytes, ';');
    const std::pair<std::string, const char*> cases[] = {
        {"\xEF\xBB\xBF; comment\r\n  [HKEY_CURRENT_USER\\Software\\Kalvero]  \r\n"
         "; \"sichern\"=\"1\"\r\n  \"sichern\" = \"0\"\t\r\n",
         "0111"},
        {values + "REGEDIT4\n=\"x\"\nsprache=0\n\"meldung\"=\"0\"\n", "0101"},
        {values + "[HKEY_CURRENT_USER\\Software\\Other\n\"sprache\"=\"0\"\n", "0111"},
        {Section + "\"sichern\"=dword:0\n\"sprache\"=hex:30,00\n\"meldung\"=\"0\" x\n", "1111"},
        {values + "\"sprache\"=\"0", "0111"}, // cut short
        {oversized.substr(0, FileRegistry::MaxFileBytes - 1) + "\n", "0111"},
        // One byte more holds no key: the first start stores the defaults.
        {oversized.substr(0, FileRegistry::MaxFileBytes + 1), "1010"},
    };
    for (const auto& [text, expected] : cases) {
        Load(test::TempDir(), "1111", expected, text);
    }
}

using Names = std::set<std::string>;
using Strings = std::vector<std::string>;

// The values given to the association's keys; keys in refuseCreate cannot be
// created, the values of those in refuseSet cannot be set.
struct FakeRegistry : Registry {
    std::optional<Key> openKey(RegistryRoot, const std::string&, RegistryAccess) override {
        return {};
    }
    std::optional<Key> createKey(RegistryRoot, const std::string& subKey) override {
        keys.push_back(subKey);
        return refuseCreate.contains(subKey) ? std::nullopt : std::optional(keys.size() - 1);
    }
    std::optional<std::string> queryValue(Key, const std::string&) override { return {}; }
    bool setValue(Key key, const std::string& name, const std::string& text) override {
        return name.empty() && !refuseSet.contains(keys.at(key)) &&
               (values[keys.at(key)] = text, true);
    }
    void closeKey(Key) override {}

    Names refuseCreate, refuseSet;
    std::map<std::string, std::string> values;
    Strings keys; // by handle
};

TEST(RegisterEpaFileType, WritesTheThreeValuesAndReportsEachThatCannotBeSet) {
    const std::string e = ".EPA", f = "EPA_auto_file", c = "EPA_auto_file\\shell\\open\\command";
    const std::string error = "Registration-Error ! [";
    const std::map<std::string, std::string> all = {
        {e, "EPA_auto_file"}, {f, "EPA"}, {c, "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\""}};
    // keys that cannot be created, values that cannot be set, the messages, the values set
    const std::tuple<Names, Names, Strings, std::map<std::string, std::string>> cases[] = {
        {{}, {}, {}, all},
        {{}, {e, f, c}, {error + ".EPA]", error + "(standard)=EPA]", error + c + "]"}, {}},
        {{e}, {c}, {error + c + "]"}, {{f, "EPA"}}}, // no message for a key that cannot be created
    };
    for (const auto& [refuseCreate, refuseSet, messages, set] : cases) {
        FakeRegistry registry;
        registry.refuseCreate = refuseCreate;
        registry.refuseSet = refuseSet;
        Strings shown;
        RegisterEpaFileType(registry, "C:\\Tools\\Kalvero",
                            [&](const std::string& text) { shown.push_back(text); });
        EXPECT_EQ(shown, messages);
        EXPECT_EQ(registry.values, set);
    }
    EXPECT_EQ(EpaOpenCommand("C:\\"), "C:\\KALVERO.EXE \"%1\"");
}

} // namespace
} // namespace kalvero
