#include "shell/platform/WindowsRegistry.h"

#include "shell/platform/EpaFileType.h"
#include "shell/platform/SettingsStore.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace kalvero {
namespace {

// HKEY_CURRENT_USER and HKEY_CLASSES_ROOT both stand for one fresh key during the test, so
// neither the machine's settings nor its association are touched.
class WindowsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegCreateKeyExA(HKEY_CURRENT_USER, Scratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &scratch, nullptr);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch), ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, scratch), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(scratch);
        EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, Scratch), ERROR_SUCCESS);
    }
    // The data of a REG_SZ value exactly as stored: a terminating zero would show.
    std::string stored(const char* subKey, const char* name = nullptr) const {
        char data[256];
        DWORD type = 0, size = sizeof data;
        HKEY key = nullptr;
        RegOpenKeyExA(scratch, subKey, 0, KEY_QUERY_VALUE, &key);
        const LSTATUS read =
            RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        return read == ERROR_SUCCESS && type == REG_SZ ? std::string(data, size) : "<none>";
    }

    static constexpr const char* Scratch = "Software\\KalveroTest";
    HKEY scratch = nullptr;
    WindowsRegistry registry;
};

TEST_F(WindowsRegistryTest, ValuesAreStoredWithoutTerminatingZeroAndReadWithOrWithout) {
    const OptionStates opening{.backup = true, .german = true, .messages = true, .negative = false};
    EXPECT_EQ(LoadSettings(registry, opening), (OptionStates{true, false, true, false}));
    SaveSettings(registry, {false, true, false, true});
    EXPECT_EQ(stored(SettingsKey, "sichern") + stored(SettingsKey, "sprache") +
                  stored(SettingsKey, "meldung") + stored(SettingsKey, "negativ"),
              "0101");
    RegSetKeyValueA(scratch, SettingsKey, "sichern", REG_SZ, "1", 2); // as other tools store it
    EXPECT_EQ(LoadSettings(registry, opening), (OptionStates{true, true, false, true}));

    RegisterEpaFileType(registry, "C:\\Tools\\Kalvero",
                        [](const std::string& text) { FAIL() << text; });
    EXPECT_EQ(stored(".EPA"), "EPA_auto_file");
    EXPECT_EQ(stored("EPA_auto_file"), "EPA");
    EXPECT_EQ(stored("EPA_auto_file\\shell\\open\\command"),
              "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\"");
}

} // namespace
} // namespace kalvero
