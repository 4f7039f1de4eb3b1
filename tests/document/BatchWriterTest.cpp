#include "document/BatchWriter.h"

#include "support/TempDir.h"

#include <algorithm>
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

// Adds files w0, w1, ... every 10 ms until a step is delivered (a closed
// step's flush runs on its own thread, and only an add or finish delivers
// it); gives their names.
Names AddUntilDelivered(BatchWriter& batch, const Reports& reports, const test::TempDir& dir) {
    Names added;
    while (reports.names.empty() && added.size() < 1000) {
        added.push_back("w" + std::to_string(added.size()));
        EXPECT_TRUE(batch.add(dir.file(added.back()), Bytes{9}).ok());
        std::this_thread::sleep_for(10ms);
    }
    return added;
}

TEST(BatchWriter, StepsAreDeliveredInOrderAndAnAbandonedBatchKeepsOnlyWhatWasDelivered) {
    const Names firstStep{"f0", "f1", "f2"};
    for (const bool finished : {false, true}) {
        const test::TempDir dir;
        test::WriteBytes(dir.file("f0"), {'o'});
        Reports reports;
        Names added{"f0", "f1", "f2", "f3"};
        {
            BatchWriter batch(reports.report(), {3, 1h});
            for (std::uint8_t i = 0; i < 4; ++i) {
                ASSERT_TRUE(batch.add(dir.file(added[i]), Bytes{i}).ok());
            }
            // The fourth file closed the first step; until it is delivered
            // the old f0 stays.
            EXPECT_EQ(test::ReadBytes(dir.file("f0")), Bytes{'o'});
            const Names waited = AddUntilDelivered(batch, reports, dir);
            added.insert(added.end(), waited.begin(), waited.end());
            EXPECT_EQ(reports.names, firstStep);
            EXPECT_EQ(Visible(dir), firstStep);
            EXPECT_EQ(test::ReadBytes(dir.file("f2")), Bytes{2});
            if (finished) {
                batch.finish();
            }
        }
        // Abandoned: the delivered step and nothing else, not even a
        // temporary file. Finished: every file, reported in the order added.
        EXPECT_EQ(reports.names, finished ? added : firstStep);
        std::sort(reports.names.begin(), reports.names.end());
        EXPECT_EQ(dir.entries(), reports.names);
    }
}

TEST(BatchWriter, AStepIsClosedOnceItIsOldEnough) {
    const test::TempDir dir;
    Reports reports;
    BatchWriter batch(reports.report(), {1000, 100ms});
    ASSERT_TRUE(batch.add(dir.file("a"), Bytes{1}).ok());
    std::this_thread::sleep_for(150ms);
    ASSERT_TRUE(batch.add(dir.file("b"), Bytes{2}).ok()); // closes the step of "a" alone
    const Names waited = AddUntilDelivered(batch, reports, dir);
    EXPECT_EQ(reports.names, Names{"a"});
    batch.finish();
    EXPECT_EQ(reports.names.size(), 2 + waited.size());
    EXPECT_EQ(reports.names[1], "b");
}

// The last look before the rename: a folder that takes a target's name
// before its step is delivered is left alone, reported for that file only.
// (Every other target is tried through the batch in FileIoTest.cpp.)
TEST(BatchWriter, TargetThatBecameAFolderIsLeftAloneAndReportedAlone) {
    const test::TempDir dir;
    Reports reports;
    BatchWriter batch(reports.report());
    for (const char* name : {"first", "late", "last"}) {
        EXPECT_TRUE(batch.add(dir.file(name), Bytes{1}).ok());
    }
    fs::create_directories(dir.file("late/inside"));
    batch.finish();
    EXPECT_EQ(reports.names, (Names{"first", "late!", "last"}));
    EXPECT_EQ(dir.entries(), (Names{"first", "last", "late"}));
    EXPECT_EQ(test::FolderEntries(dir.file("late")), Names{"inside"});
}

} // namespace
} // namespace kalvero
