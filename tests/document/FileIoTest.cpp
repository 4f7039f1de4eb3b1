#include "document/FileIo.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST(WriteFileAtomically, WriteCutShortKeepsTheOldFileAndLeavesNothingElse) {
    const test::TempDir dir;
    test::WriteBytes(dir.file("t.epa"), {1, 2, 3});
    IgnoreFileSizeSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{1000, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileStatus written = WriteFileAtomically(dir.file("t.epa"), Bytes(2367, 7));
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().problem, FileProblem::TooLarge);
    EXPECT_EQ(test::ReadBytes(dir.file("t.epa")), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"t.epa"});
}

TEST(ReadFileExactly, FileThatChangedSinceItsLengthWasTakenIsReported) {
    const test::TempDir dir;
    test::WriteBytes(dir.file("f"), {1, 2, 3, 4, 5});
    EXPECT_EQ(ReadFileExactly(dir.file("f"), 5).value(), (Bytes{1, 2, 3, 4, 5}));
    for (const std::size_t stale : {6U, 4U}) { // it has shrunk, or grown
        const auto changed = ReadFileExactly(dir.file("f"), stale);
        ASSERT_FALSE(changed.ok()) << stale;
        EXPECT_EQ(changed.error().problem, FileProblem::Changed) << stale;
    }
}

} // namespace
} // namespace kalvero
