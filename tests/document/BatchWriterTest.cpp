#include "document/BatchWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <thread>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

// The names reported, in order, with "!" after a failed one.
struct Reports {
    Names names;
    BatchWriter::Report report() {
        return [this](const fs::path& target, const FileStatus& outcome) {
            names.push_back(target.filename().string() + (outcome ? "" : "!"));
        };
    }
};

Names Visible(const test::TempDir& dir) {
    Names visible;
    for (const std::string& name : dir.entries()) {
        if (name[0] != '.') {
            visible.push_back(name);
        }
    }
    return visible;
}

TEST(BatchWriter, StepsAreDeliveredInOrderAndAnAbandonedBatchKeepsOnlyWhatWasDelivered) {
    const test::TempDir dir;
    for (const bool finished : {false, true}) {
        test::WriteBytes(dir.file("f0"), {'o'});
        Reports reports;
        {
            BatchWriter batch(reports.report(), {3, 1h});
            for (std::uint8_t i = 0; i < 7; ++i) {
                ASSERT_TRUE(batch.add(dir.file("f" + std::to_string(i)), Bytes{i}).ok());
                if (i < 3) {
                    EXPECT_EQ(test::ReadBytes(dir.file("f0")), Bytes{'o'}) << "replaced early";
                }
            }
            // The seventh file closed the second step, after the first was
            // delivered; the second's flush may still run.
            EXPECT_EQ(reports.names, (Names{"f0", "f1", "f2"}));
            EXPECT_EQ(Visible(dir), (Names{"f0", "f1", "f2"}));
            EXPECT_EQ(dir.entries().size(), 7U) << "four files wait beside their targets";
            if (finished) {
                batch.finish();
            }
        }
        const Names all{"f0", "f1", "f2", "f3", "f4", "f5", "f6"};
        EXPECT_EQ(reports.names, finished ? all : Names(all.begin(), all.begin() + 3));
        EXPECT_EQ(dir.entries(), reports.names);
        EXPECT_EQ(test::ReadBytes(dir.file("f2")), Bytes{2});
        for (const std::string& name : dir.entries()) {
            fs::remove(dir.file(name));
        }
    }
}

TEST(BatchWriter, AStepIsDeliveredOnceItIsOldEnough) {
    const test::TempDir dir;
    Reports reports;
    BatchWriter batch(reports.report(), {1000, 100ms});
    for (const char* name : {"a", "b", "c"}) {
        if (name[0] != 'a') {
            std::this_thread::sleep_for(150ms);
        }
        ASSERT_TRUE(batch.add(dir.file(name), Bytes{1}).ok());
    }
    // "b" closed the step of "a"; "c" waited for its flush, delivered it and
    // closed the step of "b".
    EXPECT_EQ(reports.names, Names{"a"});
    batch.finish();
    EXPECT_EQ(reports.names, (Names{"a", "b", "c"}));
}

TEST(BatchWriter, EachFileIsReportedOnceInOrderWithItsOwnOutcome) {
    const test::TempDir dir;
    fs::create_directory(dir.file("folder"));
    fs::create_directory(dir.file("real"));
    fs::create_symlink("real/f", dir.file("link"));
    Reports reports;
    BatchWriter batch(reports.report());
    EXPECT_TRUE(batch.add(dir.file("first"), Bytes{1}).ok());
    const FileStatus refused = batch.add(dir.file("folder"), Bytes{2});
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().problem, FileProblem::IsFolder);
    EXPECT_TRUE(batch.add(dir.file("late"), Bytes{3}).ok());
    EXPECT_TRUE(batch.add(dir.file("link"), Bytes{4}).ok());
    // A folder takes the name before the step is delivered: it is left alone.
    fs::create_directories(dir.file("late/inside"));
    batch.finish();
    EXPECT_EQ(reports.names, (Names{"first", "late!", "link"}));
    EXPECT_EQ(dir.entries(), (Names{"first", "folder", "late", "link", "real"}));
    EXPECT_EQ(test::FolderEntries(dir.file("late")), Names{"inside"});
    EXPECT_EQ(test::ReadBytes(dir.file("real/f")), Bytes{4});
    EXPECT_TRUE(fs::is_symlink(dir.file("link")));
}

} // namespace
} // namespace kalvero
