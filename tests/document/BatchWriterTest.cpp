#include "document/BatchWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

TEST(BatchWriter, TargetsChangeOnlyAtTheCommitAndAnAbandonedBatchLeavesNothing) {
    const test::TempDir dir;
    test::WriteBytes(dir.file("old.epa"), {'o'});
    for (const bool commit : {false, true}) {
        BatchWriter batch;
        ASSERT_TRUE(batch.add(dir.file("old.epa"), Bytes{1, 2}).ok());
        ASSERT_TRUE(batch.add(dir.file("new.epa"), Bytes{3}).ok());
        EXPECT_EQ(test::ReadBytes(dir.file("old.epa")), Bytes{'o'});
        EXPECT_FALSE(std::filesystem::exists(dir.file("new.epa")));
        if (commit) {
            const std::vector<FileStatus> outcomes = batch.commit();
            ASSERT_EQ(outcomes.size(), 2U);
            EXPECT_TRUE(outcomes[0].ok() && outcomes[1].ok());
        }
    } // the first batch is abandoned here
    EXPECT_EQ(test::ReadBytes(dir.file("old.epa")), (Bytes{1, 2}));
    EXPECT_EQ(test::ReadBytes(dir.file("new.epa")), Bytes{3});
    EXPECT_EQ(dir.entries(), (Names{"new.epa", "old.epa"}));
}

} // namespace
} // namespace kalvero
