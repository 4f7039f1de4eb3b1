#include "shell/platform/FileRegistry.h"

#include "TextFile.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr RegistryRoot User = RegistryRoot::CurrentUser;
constexpr RegistryAccess Reading = RegistryAccess::QueryValue;
const std::string Section = "; Kalvero settings, in the layout of a registry export\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Kalvero]\n";

class FileRegistryTest : public ::testing::Test {
protected:
    fs::path file() const { return dir.file("config") / "kalvero" / "settings"; }

    test::TempDir dir;
};

TEST_F(FileRegistryTest, MissingFileHoldsNoKeysAndIsNotCreatedByReading) {
    FileRegistry registry(file());
    EXPECT_FALSE(registry.openKey(User, "Software\\Kalvero", Reading));
    EXPECT_FALSE(registry.openKey(User, "Software\\Kalvero", RegistryAccess::AllAccess));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{});
}

TEST_F(FileRegistryTest, ValuesComeBackFromTheFileWithNamesInAnyCase) {
    FileRegistry writer(file());
    const auto key = writer.createKey(User, "Software\\Kalvero");
    ASSERT_TRUE(key);
    EXPECT_TRUE(writer.setValue(*key, "Sichern", "0"));

    FileRegistry reader(file());
    const auto read = reader.openKey(User, "SOFTWARE\\kalvero", Reading);
    ASSERT_TRUE(read);
    EXPECT_EQ(reader.queryValue(*read, "SICHERN"), "0");
    EXPECT_EQ(reader.queryValue(*read, "sprache"), std::nullopt);
    EXPECT_FALSE(reader.openKey(RegistryRoot::ClassesRoot, "Software\\Kalvero", Reading));
    // A key opened for reading, or closed, does no more.
    EXPECT_FALSE(reader.setValue(*read, "sichern", "1"));
    reader.closeKey(*read);
    EXPECT_EQ(reader.queryValue(*read, "SICHERN"), std::nullopt);
}

TEST_F(FileRegistryTest, TerminatingZerosAreNotPartOfTheText) {
    test::WriteTextFile(file(), Section + "\"a\"=\"1\\0\"\n"
                                          "\"b\"=\"1\0\"\n\"c\"=\"\\0\"\n\"d\"=\"1\\0x\"\n"s);
    FileRegistry registry(file());
    const auto key = registry.openKey(User, "Software\\Kalvero", Reading);
    ASSERT_TRUE(key);
    EXPECT_EQ(registry.queryValue(*key, "a"), "1");
    EXPECT_EQ(registry.queryValue(*key, "b"), "1");
    EXPECT_EQ(registry.queryValue(*key, "c"), "");
    EXPECT_EQ(registry.queryValue(*key, "d"), "1\0x"s);
}

// Every change rereads the file, so another instance's keys are kept, and
// replaces it whole: an old link to it keeps the old text, nothing is left beside it.
TEST_F(FileRegistryTest, ChangesKeepOtherKeysAndReplaceTheFileAtomically) {
    FileRegistry first(file());
    FileRegistry second(file());
    const auto settings = first.createKey(User, "Software\\Kalvero");
    const auto other = second.createKey(User, "Software\\Other");
    ASSERT_TRUE(settings && other);
    fs::create_hard_link(file(), dir.file("old"));
    EXPECT_TRUE(first.setValue(*settings, "sichern", "0"));
    const std::string otherSection = "\n[HKEY_CURRENT_USER\\Software\\Other]\n";
    EXPECT_EQ(test::ReadTextFile(dir.file("old")), Section + otherSection);
    EXPECT_EQ(test::ReadTextFile(file()), Section + "\"sichern\"=\"0\"\n" + otherSection);
    EXPECT_EQ(test::FolderEntries(file().parent_path()), std::vector<std::string>{"settings"});
}

TEST_F(FileRegistryTest, OversizedFileIsTakenAsEmpty) {
    const std::string section = Section + "\"sichern\"=\"0\"\n";
    for (const std::size_t size : {FileRegistry::MaxFileBytes, FileRegistry::MaxFileBytes + 1}) {
        test::WriteTextFile(file(), section + std::string(size - section.size() - 1, ';') + "\n");
        ASSERT_EQ(fs::file_size(file()), size);
        FileRegistry registry(file());
        EXPECT_EQ(registry.openKey(User, "Software\\Kalvero", Reading).has_value(),
                  size == FileRegistry::MaxFileBytes);
    }
}

TEST_F(FileRegistryTest, KeyThatCannotBeStoredIsRefused) {
    test::WriteTextFile(dir.file("config"), "x"); // a file where the folder belongs
    FileRegistry registry(file());
    EXPECT_FALSE(registry.createKey(User, "Software\\Kalvero"));
}

} // namespace
} // namespace kalvero
