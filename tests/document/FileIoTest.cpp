#include "document/FileIo.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kalvero {
namespace {
namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(FileIoTest, LengthAndReadsReportWhatIsWrongWithThePath) {
    fs::create_directory(dir.file("folder.epa"));
    const std::pair<const char*, FileProblem> cases[] = {
        {"missing.epa", FileProblem::NotFound},
        {"folder.epa", FileProblem::IsFolder},
        {"no-such-folder/a.epa", FileProblem::NotFound},
    };
    for (const auto& [name, problem] : cases) {
        const auto length = FileLength(dir.file(name));
        ASSERT_FALSE(length.ok()) << name;
        EXPECT_EQ(length.error().problem, problem) << name;
        const auto bytes = ReadFilePrefix(dir.file(name), 10);
        ASSERT_FALSE(bytes.ok()) << name;
        EXPECT_EQ(bytes.error().problem, problem) << name;
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"folder.epa"});
}

TEST_F(FileIoTest, LargeSparseFileIsMeasuredWithoutBeingRead) {
    {
        std::FILE* file = std::fopen(dir.file("huge.bmp").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        fs::resize_file(dir.file("huge.bmp"), 1ULL << 31);
        std::fclose(file);
    }
    const auto length = FileLength(dir.file("huge.bmp"));
    ASSERT_TRUE(length.ok());
    EXPECT_EQ(length.value(), 1ULL << 31);
}

TEST_F(FileIoTest, PrefixAndExactReads) {
    test::WriteBytes(dir.file("f"), {1, 2, 3, 4, 5});
    EXPECT_EQ(ReadFilePrefix(dir.file("f"), 3).value(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(ReadFilePrefix(dir.file("f"), 99).value(),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(ReadFileExactly(dir.file("f"), 5).ok());
    // Lengths taken before the file shrank or grew.
    for (const std::size_t stale : {6U, 4U}) {
        const auto changed = ReadFileExactly(dir.file("f"), stale);
        ASSERT_FALSE(changed.ok()) << stale;
        EXPECT_EQ(changed.error().problem, FileProblem::Changed) << stale;
    }
}

TEST_F(FileIoTest, AtomicWriteReplacesTheWholeFileAndLeavesNothingElse) {
    test::WriteBytes(dir.file("t.epa"), std::vector<std::uint8_t>(5000, 9));
    const std::vector<std::uint8_t> fresh{1, 2, 3};
    ASSERT_TRUE(WriteFileAtomically(dir.file("t.epa"), fresh).ok());
    EXPECT_EQ(test::ReadBytes(dir.file("t.epa")), fresh);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"t.epa"});
}

TEST_F(FileIoTest, AtomicWriteKeepsThePermissionsOfTheReplacedFile) {
    test::WriteBytes(dir.file("p.epa"), {0});
    fs::permissions(dir.file("p.epa"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(dir.file("p.epa"), std::vector<std::uint8_t>{7}).ok());
    EXPECT_EQ(fs::status(dir.file("p.epa")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileIoTest, AtomicWriteFailuresLeaveNoFileBehind) {
    fs::create_directory(dir.file("folder.epa"));
    const auto intoFolder =
        WriteFileAtomically(dir.file("folder.epa"), std::vector<std::uint8_t>{1});
    ASSERT_FALSE(intoFolder.ok());
    EXPECT_EQ(intoFolder.error().problem, FileProblem::IsFolder);

    const auto noFolder =
        WriteFileAtomically(dir.file("missing/x.epa"), std::vector<std::uint8_t>{1});
    ASSERT_FALSE(noFolder.ok());
    EXPECT_EQ(noFolder.error().problem, FileProblem::NotFound);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"folder.epa"});
    EXPECT_TRUE(fs::is_empty(dir.file("folder.epa")));
}

TEST_F(FileIoTest, Utf8NamesSurviveTheRoundTrip) {
    const std::string name = (dir.path() / "Müller Logo.epa").string();
    ASSERT_TRUE(WriteFileAtomically(PathFromUtf8(name), std::vector<std::uint8_t>{4}).ok());
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(name)), name);
    EXPECT_EQ(FileLength(PathFromUtf8(name)).value(), 1U);
}

} // namespace
} // namespace kalvero
