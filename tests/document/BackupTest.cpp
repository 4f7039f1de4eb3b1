#include "document/Backup.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override { test::WriteBytes(logo(), std::vector<std::uint8_t>(1602, 0x42)); }
    std::filesystem::path logo() const { return dir.file("boot.epa"); }
    void Occupy(int number) const {
        test::WriteBytes(dir.file("boot." + std::to_string(number)), {1});
    }

    test::TempDir dir;
};

TEST_F(BackupTest, FirstBackupIsNumberZeroAndACopy) {
    const auto made = MakeBackup(logo().string());
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.value(), dir.file("boot.0").string());
    EXPECT_EQ(test::ReadBytes(dir.file("boot.0")), std::vector<std::uint8_t>(1602, 0x42));
}

TEST_F(BackupTest, LowestFreeNumberIsUsedSoGapsFillFirst) {
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{0, 1}, "boot.2"},
        {{0, 2, 3}, "boot.1"},
        {{1}, "boot.0"},
    };
    for (const auto& [occupied, expected] : cases) {
        test::TempDir fresh;
        test::WriteBytes(fresh.file("boot.epa"), {1, 2, 3});
        for (int number : occupied) {
            test::WriteBytes(fresh.file("boot." + std::to_string(number)), {9});
        }
        const auto made = MakeBackup(fresh.file("boot.epa").string());
        ASSERT_TRUE(made.ok());
        EXPECT_EQ(made.value(), fresh.file(expected).string());
    }
}

TEST_F(BackupTest, NothingIsMadeWhenAllHundredExist) {
    for (int number = 0; number < 100; ++number) {
        Occupy(number);
    }
    const auto made = MakeBackup(logo().string());
    ASSERT_TRUE(made.ok());
    EXPECT_FALSE(made.value().has_value());
    EXPECT_EQ(dir.entries().size(), 101U);
}

TEST_F(BackupTest, AFolderWithABackupNameIsNeverReplaced) {
    std::filesystem::create_directory(dir.file("boot.0"));
    const auto made = MakeBackup(logo().string());
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.value(), dir.file("boot.1").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("boot.0")));
}

TEST_F(BackupTest, MissingSourceIsAnError) {
    const auto made = MakeBackup(dir.file("none.epa").string());
    ASSERT_FALSE(made.ok());
    EXPECT_EQ(made.error().problem, FileProblem::NotFound);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"boot.epa"});
}

} // namespace
} // namespace kalvero
