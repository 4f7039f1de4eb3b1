#include "shell/platform/WindowsRegistry.h"

#include "shell/platform/EpaFileType.h"
#include "shell/platform/SettingsStore.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace kalvero {
namespace {

using Strings = std::vector<std::string>;

// The data of a value exactly as stored: type REG_SZ required, the length as
// stored, a terminating zero included if there is one.
std::string StoredData(HKEY root, const std::string& subKey, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return "<no key>";
    }
    DWORD type = 0;
    DWORD size = 0;
    std::string data;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.resize(size);
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        data.resize(size);
    } else {
        data = "<no value>";
    }
    RegCloseKey(key);
    return type == REG_SZ || data == "<no value>" ? data : "<not REG_SZ>";
}

bool KeyExists(HKEY root, const std::string& subKey) {
    HKEY key = nullptr;
    const bool exists =
        RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS;
    if (exists) {
        RegCloseKey(key);
    }
    return exists;
}

// Runs each test against a fresh, uniquely named pair of keys standing in
// for HKEY_CURRENT_USER and HKEY_CLASSES_ROOT, so neither the real settings
// nor the real association of the machine are touched and reruns start clean.
class WindowsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_ = "Software\\KalveroTest-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(GetTickCount64());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (scratch_ + "\\user").c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &user, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (scratch_ + "\\classes").c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &classes,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, user), ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, classes), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(user);
        RegCloseKey(classes);
        RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch_));
    }
    void storeRaw(const char* name, const std::string& data) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(user, "Software\\Kalvero", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        // A zero byte after the data would be stored with it as its terminator.
        const std::string guarded = data + 'x';
        ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(guarded.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        ASSERT_EQ(setting(name), data);
        RegCloseKey(key);
    }
    std::string setting(const char* name) const {
        return StoredData(user, "Software\\Kalvero", name);
    }

    HKEY user = nullptr;
    HKEY classes = nullptr;
    WindowsRegistry registry;

private:
    std::string scratch_;
};

constexpr OptionStates Opening{.backup = true, .german = true, .messages = true, .negative = false};

TEST_F(WindowsRegistryTest, FirstStartStoresTheDefaultsWithoutTerminatingZeros) {
    EXPECT_EQ(LoadSettings(registry, Opening),
              (OptionStates{.backup = true, .german = false, .messages = true, .negative = false}));
    EXPECT_EQ(setting("sichern"), "1");
    EXPECT_EQ(setting("sprache"), "0");
    EXPECT_EQ(setting("meldung"), "1");
    EXPECT_EQ(setting("negativ"), "0");
    // The keys really went to the stand-in, not to the user's own settings.
    EXPECT_TRUE(KeyExists(user, "Software\\Kalvero"));
}

TEST_F(WindowsRegistryTest, StoredValuesAreAppliedWithOrWithoutTerminatingZero) {
    constexpr OptionStates Closed{false, false, false, false};
    struct Case {
        const char* name;
        std::string data;
        OptionStates current;
        OptionStates expected;
    };
    const Case cases[] = {
        {"sichern", "0", Opening, {false, true, true, false}},
        {"sichern", "2", Opening, Opening},
        {"sichern", "2", Closed, Closed},
        {"sichern", std::string("0\0", 2), Opening, {false, true, true, false}},
        {"meldung", "2", Opening, {true, true, false, false}},
        {"meldung", std::string("1\0", 2), Closed, {false, false, true, false}},
        {"sprache", std::string("1\0", 2), Closed, {false, true, false, false}},
        {"sprache", " 2 ", Opening, {true, false, true, false}},
        {"negativ", std::string("1\0", 2), Closed, {false, false, false, true}},
    };
    for (const Case& c : cases) {
        RegDeleteTreeA(user, "Software\\Kalvero");
        storeRaw(c.name, c.data);
        EXPECT_EQ(LoadSettings(registry, c.current), c.expected) << c.name << "=" << c.data;
    }
}

TEST_F(WindowsRegistryTest, SavingWritesEveryValueButNeverCreatesTheKey) {
    SaveSettings(registry, Opening);
    EXPECT_FALSE(KeyExists(user, "Software\\Kalvero"));

    LoadSettings(registry, Opening);
    SaveSettings(registry, {.backup = false, .german = true, .messages = false, .negative = true});
    EXPECT_EQ(setting("sichern"), "0");
    EXPECT_EQ(setting("sprache"), "1");
    EXPECT_EQ(setting("meldung"), "0");
    EXPECT_EQ(setting("negativ"), "1");
    EXPECT_EQ(LoadSettings(registry, Opening),
              (OptionStates{.backup = false, .german = true, .messages = false, .negative = true}));
}

TEST_F(WindowsRegistryTest, AssociationWritesTheThreeDefaultValues) {
    HKEY other = nullptr;
    ASSERT_EQ(RegCreateKeyExA(classes, ".EPA", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &other, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(other, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("Other.File"), 11);
    RegCloseKey(other);

    Strings shown;
    RegisterEpaFileType(registry, "C:\\Tools\\Kalvero",
                        [&](const std::string& text) { shown.push_back(text); });
    EXPECT_EQ(shown, Strings{});
    EXPECT_EQ(StoredData(classes, ".EPA", nullptr), "EPA_auto_file");
    EXPECT_EQ(StoredData(classes, "EPA_auto_file", nullptr), "EPA");
    EXPECT_EQ(StoredData(classes, "EPA_auto_file\\shell\\open\\command", nullptr),
              "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\"");

    RegisterEpaFileType(registry, "C:\\", [&](const std::string& text) { shown.push_back(text); });
    EXPECT_EQ(StoredData(classes, "EPA_auto_file\\shell\\open\\command", nullptr),
              "C:\\KALVERO.EXE \"%1\"");
    EXPECT_EQ(shown, Strings{});
}

TEST_F(WindowsRegistryTest, BackendReportsWhatTheRegistryRefuses) {
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software\\Kalvero",
                                  RegistryAccess::QueryValue));
    const auto created = registry.createKey(RegistryRoot::CurrentUser, "Software\\Kalvero");
    ASSERT_TRUE(created);
    EXPECT_TRUE(registry.setValue(*created, "", "default"));
    const DWORD number = 1;
    RegSetValueExA(reinterpret_cast<HKEY>(*created), "number", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&number), sizeof number);
    registry.closeKey(*created);

    const auto reading = registry.openKey(RegistryRoot::CurrentUser, "Software\\Kalvero",
                                          RegistryAccess::QueryValue);
    ASSERT_TRUE(reading);
    EXPECT_EQ(registry.queryValue(*reading, ""), "default");
    EXPECT_EQ(registry.queryValue(*reading, "number"), std::nullopt);
    EXPECT_EQ(registry.queryValue(*reading, "missing"), std::nullopt);
    EXPECT_FALSE(registry.setValue(*reading, "sichern", "1"));
    registry.closeKey(*reading);
    EXPECT_EQ(setting("sichern"), "<no value>");
}

} // namespace
} // namespace kalvero
