#include "document/Backup.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>

namespace kalvero {
namespace {

TEST(MakeBackup, CopiesToTheLowestFreeNumber) {
    std::vector<int> all(100);
    std::iota(all.begin(), all.end(), 0);
    const std::vector<int> allBut99(all.begin(), all.end() - 1);
    // Numbers taken by files, one taken by a folder (-1: none), and the copy made ("": none).
    const std::tuple<std::vector<int>, int, std::string> cases[] = {
        {{}, -1, "boot.0"},    {{0, 1}, -1, "boot.2"},    {{0, 2, 3}, -1, "boot.1"},
        {{1, 3}, 0, "boot.2"}, {allBut99, -1, "boot.99"}, {all, -1, ""},
    };
    for (const auto& [files, folder, expected] : cases) {
        const test::TempDir dir;
        test::WriteBytes(dir.file("boot.epa"), {1, 2, 3});
        for (const int number : files) {
            test::WriteBytes(dir.file("boot." + std::to_string(number)), {9});
        }
        if (folder >= 0) {
            std::filesystem::create_directory(dir.file("boot." + std::to_string(folder)));
        }
        const auto made = MakeBackup(dir.file("boot.epa").string());
        ASSERT_TRUE(made.ok());
        EXPECT_EQ(made.value().value_or(""), expected.empty() ? "" : dir.file(expected).string());
        if (!expected.empty()) {
            EXPECT_EQ(test::ReadBytes(dir.file(expected)), (std::vector<std::uint8_t>{1, 2, 3}));
        }
    }
}

} // namespace
} // namespace kalvero
