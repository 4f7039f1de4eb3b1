#include "shell/platform/SettingsStore.h"

#include "FakeRegistry.h"
#include "shell/platform/FileRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace kalvero {

void PrintTo(const OptionStates& s, std::ostream* out) {
    *out << "{backup " << s.backup << ", german " << s.german << ", messages " << s.messages
         << ", negative " << s.negative << "}";
}

namespace {

using Strings = std::vector<std::string>;

// The controls' states when the window opens, and every one of them the other way.
constexpr OptionStates Opening{.backup = true, .german = true, .messages = true, .negative = false};
constexpr OptionStates Flipped{
    .backup = false, .german = false, .messages = false, .negative = true};
constexpr OptionStates Mixed{.backup = true, .german = false, .messages = false, .negative = false};
constexpr OptionStates FirstStart{
    .backup = true, .german = false, .messages = true, .negative = false};

const std::string KeyLine = "[HKEY_CURRENT_USER\\Software\\Kalvero]\n";

class SettingsStoreTest : public ::testing::Test {
protected:
    std::filesystem::path settings() const { return dir.file("config") / "kalvero" / "settings"; }
    std::string settingsText() const {
        const auto bytes = test::ReadBytes(settings());
        return {bytes.begin(), bytes.end()};
    }
    void storeSettings(const std::string& values) const {
        std::filesystem::create_directories(settings().parent_path());
        const std::string text = KeyLine + values;
        test::WriteBytes(settings(), {text.begin(), text.end()});
    }

    test::TempDir dir;
};

TEST_F(SettingsStoreTest, FirstStartStoresTheDefaultsInOrderAndAppliesThem) {
    FileRegistry registry(settings());
    EXPECT_EQ(LoadSettings(registry, Flipped), FirstStart);
    EXPECT_EQ(settingsText(), "; Kalvero settings, in the layout of a registry export\n"
                              "\n"
                              "[HKEY_CURRENT_USER\\Software\\Kalvero]\n"
                              "\"sichern\"=\"1\"\n"
                              "\"sprache\"=\"0\"\n"
                              "\"meldung\"=\"1\"\n"
                              "\"negativ\"=\"0\"\n");
    // The second start finds the key and reads the same states back.
    EXPECT_EQ(LoadSettings(registry, Flipped), FirstStart);
}

TEST_F(SettingsStoreTest, FirstStartCallsInOrderAndClosesTheKey) {
    test::FakeRegistry registry;
    EXPECT_EQ(LoadSettings(registry, Opening), FirstStart);
    EXPECT_EQ(
        registry.calls,
        (Strings{"open HKCU\\Software\\Kalvero", "create HKCU\\Software\\Kalvero", "set sichern=1",
                 "set sprache=0", "set meldung=1", "set negativ=0", "close"}));
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST_F(SettingsStoreTest, DefaultsApplyWhenTheKeyCanBeNeitherOpenedNorWritten) {
    test::FakeRegistry refusingCreate;
    refusingCreate.refuseCreate.insert("HKCU\\Software\\Kalvero");
    EXPECT_EQ(LoadSettings(refusingCreate, Flipped), FirstStart);
    EXPECT_EQ(refusingCreate.calls,
              (Strings{"open HKCU\\Software\\Kalvero", "create HKCU\\Software\\Kalvero"}));

    test::FakeRegistry refusingValues;
    refusingValues.refuseSet.insert("HKCU\\Software\\Kalvero");
    EXPECT_EQ(LoadSettings(refusingValues, Flipped), FirstStart);
    EXPECT_EQ(refusingValues.openKeys(), 0);

    // A settings file whose folder cannot be made: a file stands in its way.
    test::WriteBytes(dir.file("config"), {1});
    FileRegistry unwritable(settings());
    EXPECT_EQ(LoadSettings(unwritable, Flipped), FirstStart);
}

TEST_F(SettingsStoreTest, StoredValuesAreAppliedByTheirOwnRules) {
    struct Case {
        const char* stored;
        OptionStates current;
        OptionStates expected;
    };
    const Case cases[] = {
        // "sichern": 0 or 1 is taken, any other number leaves Backup alone.
        {"\"sichern\"=\"0\"\n", Opening, {false, true, true, false}},
        {"\"sichern\"=\"1\"\n", Flipped, {true, false, false, true}},
        {"\"sichern\"=\"2\"\n", Opening, Opening},
        {"\"sichern\"=\"2\"\n", Flipped, Flipped},
        {"\"sichern\"=\"-1\"\n", Opening, Opening},
        {"\"sichern\"=\"0.5\"\n", Flipped, Flipped},
        // The other three: 1 sets, any other number clears.
        {"\"meldung\"=\"2\"\n", Opening, {true, true, false, false}},
        {"\"meldung\"=\"1\"\n", Flipped, {false, false, true, true}},
        {"\"negativ\"=\"1\"\n", Opening, {true, true, true, true}},
        {"\"negativ\"=\"3\"\n", Flipped, {false, false, false, false}},
        {"\"sprache\"=\"1\"\n", Flipped, {false, true, false, true}},
        {"\"sprache\"=\"0\"\n", Opening, {true, false, true, false}},
        {"\"sprache\"=\"2\"\n", Opening, {true, false, true, false}},
        {"\"sprache\"=\"-1\"\n", Opening, {true, false, true, false}},
        {"\"sprache\"=\"1.5\"\n", Opening, {true, false, true, false}},
        // Spellings of the same numbers.
        {"\"sichern\"=\" 0 \"\n\"meldung\"=\"01\"\n", Mixed, {false, false, true, false}},
        {"\"sichern\"=\"0.0\"\n\"meldung\"=\"1.000\"\n", Mixed, {false, false, true, false}},
        {"\"sichern\"=\"-0\"\n\"meldung\"=\"+1\"\n\"negativ\"=\"1.\"\n",
         Mixed,
         {false, false, true, true}},
        {"\"sichern\"=\"\t1\"\n\"sprache\"=\"  1  \"\n", Flipped, {true, true, false, true}},
        {"\"sichern\"=\"1.0000000000000000000001\"\n\"sprache\"=\"000000000000000000001\"\n",
         Flipped,
         {false, true, false, true}},
        // A terminating zero stored as part of the data is not part of the number.
        {"\"sichern\"=\"0\\0\"\n\"meldung\"=\"1\\0\"\n", Mixed, {false, false, true, false}},
        // Missing values and texts that are no number keep the current state.
        {"", Opening, Opening},
        {"", Flipped, Flipped},
        {"\"sichern\"=\"\"\n\"sprache\"=\"ja\"\n\"meldung\"=\"1 1\"\n\"negativ\"=\"0x1\"\n",
         Opening, Opening},
        {"\"sichern\"=\"1e0\"\n\"sprache\"=\"1,0\"\n\"meldung\"=\".\"\n\"negativ\"=\"+\"\n",
         Flipped, Flipped},
        {"\"sichern\"=\"0 1\"\n\"meldung\"=\"1\\0x\"\n\"negativ\"=\"--1\"\n", Flipped, Flipped},
    };
    for (const Case& c : cases) {
        storeSettings(c.stored);
        FileRegistry registry(settings());
        EXPECT_EQ(LoadSettings(registry, c.current), c.expected) << c.stored;
    }
}

TEST_F(SettingsStoreTest, ValueWithTerminatingZeroReadsTheSameFromAnyBackend) {
    test::FakeRegistry registry;
    registry.put("HKCU\\Software\\Kalvero", "sichern", std::string("0\0", 2));
    registry.put("HKCU\\Software\\Kalvero", "sprache", std::string("1\0", 2));
    registry.put("HKCU\\Software\\Kalvero", "negativ", std::string(" 1 \0", 4));
    EXPECT_EQ(LoadSettings(registry, Mixed), (OptionStates{false, true, false, true}));
    EXPECT_EQ(registry.calls,
              (Strings{"open HKCU\\Software\\Kalvero", "query sichern", "query sprache",
                       "query meldung", "query negativ", "close"}));
}

TEST_F(SettingsStoreTest, SavedStatesComeBackAtTheNextStart) {
    for (int bits = 0; bits < 16; ++bits) {
        const OptionStates states{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0,
                                  (bits & 8) != 0};
        const OptionStates opposite{!states.backup, !states.german, !states.messages,
                                    !states.negative};
        FileRegistry registry(settings());
        LoadSettings(registry, Opening);
        SaveSettings(registry, states);
        EXPECT_EQ(LoadSettings(registry, opposite), states) << bits;
    }
}

TEST_F(SettingsStoreTest, GermanIsStoredAsOneAndEveryValueInOrder) {
    FileRegistry registry(settings());
    LoadSettings(registry, Opening);
    SaveSettings(registry, {.backup = false, .german = true, .messages = false, .negative = true});
    EXPECT_EQ(settingsText(), "; Kalvero settings, in the layout of a registry export\n"
                              "\n"
                              "[HKEY_CURRENT_USER\\Software\\Kalvero]\n"
                              "\"sichern\"=\"0\"\n"
                              "\"sprache\"=\"1\"\n"
                              "\"meldung\"=\"0\"\n"
                              "\"negativ\"=\"1\"\n");

    test::FakeRegistry fake;
    fake.put("HKCU\\Software\\Kalvero", "sichern", "1");
    SaveSettings(fake, {.backup = true, .german = false, .messages = true, .negative = false});
    EXPECT_EQ(fake.calls, (Strings{"open HKCU\\Software\\Kalvero", "set sichern=1", "set sprache=0",
                                   "set meldung=1", "set negativ=0", "close"}));
}

TEST_F(SettingsStoreTest, SavingNeverCreatesTheKey) {
    test::FakeRegistry fake;
    SaveSettings(fake, Opening);
    EXPECT_EQ(fake.calls, Strings{"open HKCU\\Software\\Kalvero"});
    EXPECT_FALSE(fake.has("HKCU\\Software\\Kalvero"));

    FileRegistry registry(settings());
    SaveSettings(registry, Opening);
    EXPECT_FALSE(std::filesystem::exists(settings()));
}

} // namespace
} // namespace kalvero
