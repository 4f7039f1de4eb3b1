#include "shell/platform/SettingsStore.h"

#include "FakeRegistry.h"
#include "TextFile.h"
#include "shell/platform/FileRegistry.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <string>

namespace kalvero {

void PrintTo(const OptionStates& s, std::ostream* out) {
    *out << s.backup << s.german << s.messages << s.negative;
}

namespace {

using namespace std::string_literals;

// "1110": Backup, Deutsch, SaveCheck and InversCheck, as printed above.
OptionStates States(const char* bits) {
    return {bits[0] == '1', bits[1] == '1', bits[2] == '1', bits[3] == '1'};
}

const std::string Section = "; Kalvero settings, in the layout of a registry export\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Kalvero]\n";

TEST(SettingsStoreTest, FirstStartStoresTheDefaultsInOrderAndAppliesThem) {
    const test::TempDir dir;
    FileRegistry registry(dir.file("settings"));
    EXPECT_EQ(LoadSettings(registry, States("0001")), States("1010"));
    EXPECT_EQ(test::ReadTextFile(dir.file("settings")),
              Section + "\"sichern\"=\"1\"\n\"sprache\"=\"0\"\n\"meldung\"=\"1\"\n"
                        "\"negativ\"=\"0\"\n");
    EXPECT_EQ(LoadSettings(registry, States("0001")), States("1010")); // read back
}

TEST(SettingsStoreTest, FailuresToStoreAreIgnored) {
    for (const bool refuseKey : {true, false}) {
        test::FakeRegistry registry;
        (refuseKey ? registry.refuseCreate : registry.refuseSet).insert("HKCU\\Software\\Kalvero");
        EXPECT_EQ(LoadSettings(registry, States("0001")), States("1010")) << refuseKey;
        SaveSettings(registry, States("0101"));
        EXPECT_TRUE(registry.open.empty());
    }
}

TEST(SettingsStoreTest, StoredValuesAreAppliedByTheirOwnRules) {
    struct Case {
        std::map<std::string, std::string> stored;
        const char* current;
        const char* expected;
    };
    const Case cases[] = {
        // "sichern": 0 or 1 is taken, any other number leaves Backup alone;
        // the other three: 1 sets, any other number clears.
        {{{"sichern", "0"}, {"sprache", "0"}}, "1110", "0010"},
        {{{"sichern", "1"}, {"meldung", "1"}}, "0001", "1011"},
        {{{"sichern", "2"}, {"sprache", "2"}, {"meldung", "2"}}, "1110", "1000"},
        {{{"sichern", "-1"}, {"sprache", "-1"}, {"negativ", "2"}}, "0101", "0000"},
        {{{"sichern", "0.5"}, {"sprache", "1.5"}, {"meldung", "1"}}, "0101", "0011"},
        {{{"sprache", "1"}, {"negativ", "1"}}, "1010", "1111"},
        // Spellings of the same numbers.
        {{{"sichern", " 0 "}, {"sprache", "01"}, {"meldung", "1.000"}}, "1000", "0110"},
        {{{"sichern", "-0"}, {"meldung", "+1"}, {"negativ", "1."}}, "1000", "0011"},
        {{{"sichern", "\t1"}, {"sprache", "  1  "}, {"negativ", "0.0"}}, "0001", "1100"},
        {{{"sichern", "1.0000000000000000000001"}, {"sprache", "000001"}}, "0001", "0101"},
        // Data stored with its terminating zero reads the same.
        {{{"sichern", "0\0"s}, {"sprache", "1\0"s}, {"meldung", " 1 \0"s}}, "1000", "0110"},
        // Missing values and texts that are no number keep the current state.
        {{}, "0001", "0001"},
        {{{"sichern", ""}, {"sprache", "ja"}, {"meldung", "1 1"}}, "1110", "1110"},
        {{{"sichern", "1e0"}, {"sprache", "1,0"}, {"negativ", "0x1"}}, "0001", "0001"},
        {{{"sichern", "0 1"}, {"meldung", "."}, {"negativ", "+"}}, "0001", "0001"},
        {{{"sichern", "--1"}, {"meldung", "1\0x"s}}, "1000", "1000"},
    };
    for (const Case& c : cases) {
        test::FakeRegistry registry;
        registry.keys["HKCU\\Software\\Kalvero"] = c.stored;
        EXPECT_EQ(LoadSettings(registry, States(c.current)), States(c.expected))
            << testing::PrintToString(c.stored);
        EXPECT_TRUE(registry.open.empty());
    }
}

TEST(SettingsStoreTest, SavingWritesEveryValueButNeverCreatesTheKey) {
    const test::TempDir dir;
    FileRegistry registry(dir.file("settings"));
    SaveSettings(registry, States("1110"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("settings")));

    LoadSettings(registry, States("1110"));
    SaveSettings(registry, States("0101"));
    EXPECT_EQ(test::ReadTextFile(dir.file("settings")),
              Section + "\"sichern\"=\"0\"\n\"sprache\"=\"1\"\n\"meldung\"=\"0\"\n"
                        "\"negativ\"=\"1\"\n");
    for (const char* bits : {"1000", "0100", "0010", "0001"}) {
        SaveSettings(registry, States(bits));
        EXPECT_EQ(LoadSettings(registry, States("0110")), States(bits));
    }
}

} // namespace
} // namespace kalvero
