// A program with threads ends on a signal as its default action would, and
// leaves no temporary file, whichever of its threads the signal could reach.

#include "document/TemporaryFiles.h"

#include "document/FileIo.h"
#include "support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kalvero {
namespace {

TEST(TemporaryFiles, ThreadsEndBySignalWithoutTemporaryFile) {
    // A signal ignored from the start (nohup's SIGHUP) stays ignored: sent
    // first, it must not be the one that ends the child.
    const struct {
        int ignored;
        int sent;
    } rows[] = {{0, SIGTERM}, {0, SIGINT}, {0, SIGUSR1}, {SIGHUP, SIGRTMIN + 3}};
    for (const auto& row : rows) {
        const test::TempDir dir;
        const std::filesystem::path file = dir.file(".logo.epa.AbCdEf");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (row.ignored != 0) {
                std::signal(row.ignored, SIG_IGN);
            }
            RemoveTemporaryFilesOnSignalsInThreads();
            std::thread([] { ::pause(); }).detach(); // one of Qt's
            {
                const CleanupSignalsHeld held;
                test::WriteBytes(file, {1, 2, 3});
                RegisterTemporaryFile(held, file);
            }
            [[maybe_unused]] const auto told = ::write(ready[1], "r", 1);
            for (;;) {
                ::pause();
            }
        }
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        EXPECT_TRUE(std::filesystem::exists(file));
        if (row.ignored != 0) {
            ::kill(child, row.ignored);
        }
        ::kill(child, row.sent);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == row.sent) << row.sent;
        EXPECT_FALSE(std::filesystem::exists(file)) << row.sent;
    }
}

} // namespace
} // namespace kalvero
