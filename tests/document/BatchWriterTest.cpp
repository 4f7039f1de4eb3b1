#include "document/BatchWriter.h"

#include "document/FileIo.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace kalvero {
namespace {
namespace fs = std::filesystem;

const std::vector<std::uint8_t> OldBytes{'o', 'l', 'd'};
const std::vector<std::uint8_t> NewBytes{1, 2, 3, 4};

class BatchWriterTest : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(BatchWriterTest, TargetsChangeOnlyAtTheCommitAndNothingElseStays) {
    test::WriteBytes(dir.file("old.epa"), OldBytes);
    fs::permissions(dir.file("old.epa"), fs::perms::owner_read | fs::perms::owner_write);
    BatchWriter batch;
    ASSERT_TRUE(batch.add(dir.file("old.epa"), NewBytes).ok());
    ASSERT_TRUE(batch.add(dir.file("new.epa"), NewBytes).ok());
    EXPECT_EQ(test::ReadBytes(dir.file("old.epa")), OldBytes);
    EXPECT_FALSE(fs::exists(dir.file("new.epa")));

    const std::vector<FileStatus> outcomes = batch.commit();
    ASSERT_EQ(outcomes.size(), 2U);
    EXPECT_TRUE(outcomes[0].ok() && outcomes[1].ok());
    EXPECT_EQ(test::ReadBytes(dir.file("old.epa")), NewBytes);
    EXPECT_EQ(test::ReadBytes(dir.file("new.epa")), NewBytes);
    EXPECT_EQ(fs::status(dir.file("old.epa")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"new.epa", "old.epa"}));
}

TEST_F(BatchWriterTest, BatchThatIsNeverCommittedLeavesEverythingAsItWas) {
    test::WriteBytes(dir.file("old.epa"), OldBytes);
    {
        BatchWriter batch;
        ASSERT_TRUE(batch.add(dir.file("old.epa"), NewBytes).ok());
        ASSERT_TRUE(batch.add(dir.file("new.epa"), NewBytes).ok());
    }
    EXPECT_EQ(test::ReadBytes(dir.file("old.epa")), OldBytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"old.epa"});
}

TEST_F(BatchWriterTest, FailuresConcernOnlyTheirOwnFile) {
    fs::create_directory(dir.file("folder.epa"));
    BatchWriter batch;
    const FileStatus intoFolder = batch.add(dir.file("folder.epa"), NewBytes);
    ASSERT_FALSE(intoFolder.ok());
    EXPECT_EQ(intoFolder.error().problem, FileProblem::IsFolder);
    const FileStatus noFolder = batch.add(dir.file("missing/x.epa"), NewBytes);
    ASSERT_FALSE(noFolder.ok());
    EXPECT_EQ(noFolder.error().problem, FileProblem::NotFound);

    ASSERT_TRUE(batch.add(dir.file("good.epa"), NewBytes).ok());
    ASSERT_TRUE(batch.add(dir.file("late.epa"), NewBytes).ok());
    // Something else takes the name before the commit: that rename fails alone.
    fs::create_directory(dir.file("late.epa"));
    const std::vector<FileStatus> outcomes = batch.commit();
    ASSERT_EQ(outcomes.size(), 2U);
    EXPECT_TRUE(outcomes[0].ok());
    ASSERT_FALSE(outcomes[1].ok());
    EXPECT_EQ(test::ReadBytes(dir.file("good.epa")), NewBytes);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.epa", "good.epa", "late.epa"}));
    EXPECT_TRUE(fs::is_empty(dir.file("late.epa")));
}

TEST_F(BatchWriterTest, WriteCutShortByTheFileSizeLimitLeavesNoTemporaryFile) {
    test::WriteBytes(dir.file("old.epa"), OldBytes);
    IgnoreFileSizeSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{1000, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    BatchWriter batch;
    const FileStatus added = batch.add(dir.file("old.epa"), std::vector<std::uint8_t>(2367, 7));
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    ASSERT_FALSE(added.ok());
    EXPECT_EQ(added.error().problem, FileProblem::TooLarge);
    EXPECT_TRUE(batch.commit().empty());
    EXPECT_EQ(test::ReadBytes(dir.file("old.epa")), OldBytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"old.epa"});
}

} // namespace
} // namespace kalvero
