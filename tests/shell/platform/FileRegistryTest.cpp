#include "shell/platform/FileRegistry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class FileRegistryTest : public ::testing::Test {
protected:
    fs::path file() const { return dir.file("config") / "kalvero" / "settings"; }
    void store(const std::string& text) const {
        fs::create_directories(file().parent_path());
        test::WriteBytes(file(), {text.begin(), text.end()});
    }
    std::string stored() const {
        const auto bytes = test::ReadBytes(file());
        return {bytes.begin(), bytes.end()};
    }

    test::TempDir dir;
};

TEST_F(FileRegistryTest, MissingFileHoldsNoKeysAndIsNotCreatedByReading) {
    FileRegistry registry(file());
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software\\Kalvero",
                                  RegistryAccess::QueryValue));
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software\\Kalvero",
                                  RegistryAccess::AllAccess));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{});
}

TEST_F(FileRegistryTest, CreatedKeysAndValuesAreInTheFileAtOnce) {
    FileRegistry registry(file());
    const auto key = registry.createKey(RegistryRoot::ClassesRoot, ".EPA");
    ASSERT_TRUE(key);
    EXPECT_EQ(stored(), "; Kalvero settings, in the layout of a registry export\n\n"
                        "[HKEY_CLASSES_ROOT\\.EPA]\n");
    EXPECT_TRUE(registry.setValue(*key, "", "EPA_auto_file"));
    EXPECT_TRUE(registry.setValue(*key, "", "EPA \"auto\" file"));
    registry.closeKey(*key);
    EXPECT_EQ(stored(), "; Kalvero settings, in the layout of a registry export\n\n"
                        "[HKEY_CLASSES_ROOT\\.EPA]\n"
                        "@=\"EPA \\\"auto\\\" file\"\n");
    // Nothing is left beside the file.
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        files.push_back(entry.path());
    }
    EXPECT_EQ(files.size(), 3u); // config, config/kalvero and the file
}

TEST_F(FileRegistryTest, NamesIgnoreCaseAndTheRootsAreApart) {
    store("[HKEY_CURRENT_USER\\Software\\Kalvero]\n\"Sichern\"=\"0\"\n");
    FileRegistry registry(file());
    const auto key =
        registry.openKey(RegistryRoot::CurrentUser, "SOFTWARE\\kalvero", RegistryAccess::AllAccess);
    ASSERT_TRUE(key);
    EXPECT_EQ(registry.queryValue(*key, "SICHERN"), "0");
    EXPECT_EQ(registry.queryValue(*key, "sprache"), std::nullopt);
    EXPECT_TRUE(registry.setValue(*key, "sichern", "1"));
    EXPECT_EQ(registry.queryValue(*key, "Sichern"), "1");
    EXPECT_FALSE(registry.openKey(RegistryRoot::ClassesRoot, "Software\\Kalvero",
                                  RegistryAccess::QueryValue));
}

TEST_F(FileRegistryTest, TerminatingZerosAreNotPartOfTheText) {
    store("[HKEY_CURRENT_USER\\Software\\Kalvero]\n\"a\"=\"1\\0\"\n\"b\"=\"1\0\"\n\"c\"=\"\\0\"\n"
          "\"d\"=\"1\\0x\"\n"s);
    FileRegistry registry(file());
    const auto key = registry.openKey(RegistryRoot::CurrentUser, "Software\\Kalvero",
                                      RegistryAccess::QueryValue);
    ASSERT_TRUE(key);
    EXPECT_EQ(registry.queryValue(*key, "a"), "1");
    EXPECT_EQ(registry.queryValue(*key, "b"), "1");
    EXPECT_EQ(registry.queryValue(*key, "c"), "");
    EXPECT_EQ(registry.queryValue(*key, "d"), std::string("1\0x", 3));
}

TEST_F(FileRegistryTest, KeysOpenedForReadingAndClosedKeysRefuseWork) {
    store("[HKEY_CURRENT_USER\\Software\\Kalvero]\n\"sichern\"=\"1\"\n");
    FileRegistry registry(file());
    const auto reading = registry.openKey(RegistryRoot::CurrentUser, "Software\\Kalvero",
                                          RegistryAccess::QueryValue);
    ASSERT_TRUE(reading);
    EXPECT_FALSE(registry.setValue(*reading, "sichern", "0"));
    registry.closeKey(*reading);
    EXPECT_EQ(registry.queryValue(*reading, "sichern"), std::nullopt);
    EXPECT_FALSE(registry.setValue(12345, "sichern", "0"));
    EXPECT_EQ(stored(), "[HKEY_CURRENT_USER\\Software\\Kalvero]\n\"sichern\"=\"1\"\n");
}

TEST_F(FileRegistryTest, ChangesByAnotherInstanceAreKept) {
    FileRegistry first(file());
    FileRegistry second(file());
    const auto settings = first.createKey(RegistryRoot::CurrentUser, "Software\\Kalvero");
    ASSERT_TRUE(settings);
    const auto other = second.createKey(RegistryRoot::CurrentUser, "Software\\Other");
    ASSERT_TRUE(other);
    EXPECT_TRUE(second.setValue(*other, "x", "y"));
    EXPECT_TRUE(first.setValue(*settings, "sichern", "0"));
    EXPECT_EQ(stored(), "; Kalvero settings, in the layout of a registry export\n\n"
                        "[HKEY_CURRENT_USER\\Software\\Kalvero]\n"
                        "\"sichern\"=\"0\"\n"
                        "\n"
                        "[HKEY_CURRENT_USER\\Software\\Other]\n"
                        "\"x\"=\"y\"\n");
}

TEST_F(FileRegistryTest, OversizedFileIsTakenAsEmpty) {
    const std::string section = "[HKEY_CURRENT_USER\\Software\\Kalvero]\n\"sichern\"=\"0\"\n";
    const struct {
        std::size_t size;
        bool read;
    } cases[] = {{FileRegistry::MaxFileBytes, true}, {FileRegistry::MaxFileBytes + 1, false}};
    for (const auto& c : cases) {
        store(section + std::string(c.size - section.size() - 1, ';') + "\n");
        ASSERT_EQ(fs::file_size(file()), c.size);
        FileRegistry registry(file());
        EXPECT_EQ(
            registry
                .openKey(RegistryRoot::CurrentUser, "Software\\Kalvero", RegistryAccess::QueryValue)
                .has_value(),
            c.read)
            << c.size;
    }
}

TEST_F(FileRegistryTest, KeysThatCannotBeStoredAreRefused) {
    test::WriteBytes(dir.file("config"), {1}); // a file where the folder belongs
    FileRegistry blocked(file());
    EXPECT_FALSE(blocked.createKey(RegistryRoot::CurrentUser, "Software\\Kalvero"));

    FileRegistry registry(dir.file("settings"));
    for (const char* name : {"", "a\nb", "a\rb"}) {
        EXPECT_FALSE(registry.createKey(RegistryRoot::CurrentUser, name)) << name;
    }
    EXPECT_FALSE(registry.createKey(RegistryRoot::CurrentUser, std::string("a\0b", 3)));
    EXPECT_FALSE(fs::exists(dir.file("settings")));
}

} // namespace
} // namespace kalvero
