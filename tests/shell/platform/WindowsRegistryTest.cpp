#include "shell/platform/WindowsRegistry.h"

#include "shell/platform/EpaFileType.h"
#include "shell/platform/SettingsStore.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>

namespace kalvero {
namespace {

using namespace std::string_literals;

// Created with the API directly, not through the backend under test.
HKEY CreateKey(HKEY parent, const std::string& subKey) {
    HKEY key = nullptr;
    RegCreateKeyExA(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    return key;
}

// The data of a REG_SZ value exactly as stored, a terminating zero included.
std::string StoredData(HKEY root, const char* subKey, const char* name) {
    HKEY key = nullptr;
    char data[256];
    DWORD type = 0;
    DWORD size = sizeof data;
    const bool read = RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS &&
                      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                       &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    RegCloseKey(key);
    return read ? std::string(data, size) : "<none>";
}

// Each test runs against fresh keys standing in for HKEY_CURRENT_USER and
// HKEY_CLASSES_ROOT, so neither the machine's settings nor its association
// are touched.
class WindowsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        user = CreateKey(HKEY_CURRENT_USER, scratch_ + "\\user");
        classes = CreateKey(HKEY_CURRENT_USER, scratch_ + "\\classes");
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, user), ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, classes), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(user);
        RegCloseKey(classes);
        EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str()), ERROR_SUCCESS);
    }
    std::string settings() const {
        std::string all;
        for (const char* name : {"sichern", "sprache", "meldung", "negativ"}) {
            all += StoredData(user, "Software\\Kalvero", name) + ";";
        }
        return all;
    }

    HKEY user = nullptr;
    HKEY classes = nullptr;
    WindowsRegistry registry;

private:
    std::string scratch_ = "Software\\KalveroTest-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount64());
};

constexpr OptionStates Opening{.backup = true, .german = true, .messages = true, .negative = false};

// The data lengths are compared too: a stored terminating zero would show.
TEST_F(WindowsRegistryTest, FirstStartStoresTheDefaultsAndSavingChangesThem) {
    EXPECT_EQ(LoadSettings(registry, Opening), (OptionStates{true, false, true, false}));
    EXPECT_EQ(settings(), "1;0;1;0;");
    SaveSettings(registry, {false, true, false, true});
    EXPECT_EQ(settings(), "0;1;0;1;");
}

TEST_F(WindowsRegistryTest, StoredValuesAreAppliedWithOrWithoutTerminatingZero) {
    const std::tuple<const char*, std::string, OptionStates> cases[] = {
        {"sichern", "0", {false, true, true, false}},
        {"sichern", "2", Opening},
        {"sichern", "0\0"s, {false, true, true, false}},
        {"negativ", "1\0"s, {true, true, true, true}},
    };
    for (const auto& [name, data, expected] : cases) {
        RegDeleteTreeA(user, "Software\\Kalvero");
        const HKEY key = CreateKey(user, "Software\\Kalvero");
        // A zero byte right after the data would be stored as its terminator.
        const std::string guarded = data + 'x';
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(guarded.data()),
                       static_cast<DWORD>(data.size()));
        RegCloseKey(key);
        ASSERT_EQ(StoredData(user, "Software\\Kalvero", name), data);
        EXPECT_EQ(LoadSettings(registry, Opening), expected) << name << "=" << data;
    }
}

TEST_F(WindowsRegistryTest, AssociationWritesTheThreeDefaultValues) {
    std::vector<std::string> shown;
    RegisterEpaFileType(registry, "C:\\Tools\\Kalvero",
                        [&](const std::string& text) { shown.push_back(text); });
    EXPECT_EQ(shown, std::vector<std::string>{});
    EXPECT_EQ(StoredData(classes, ".EPA", nullptr), "EPA_auto_file");
    EXPECT_EQ(StoredData(classes, "EPA_auto_file", nullptr), "EPA");
    EXPECT_EQ(StoredData(classes, "EPA_auto_file\\shell\\open\\command", nullptr),
              "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\"");
}

} // namespace
} // namespace kalvero
