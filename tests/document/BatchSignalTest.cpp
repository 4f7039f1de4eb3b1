// A batch interrupted by a signal, in a real child process (SlowBatch.cpp):
// it ends with 128 + the signal's number, every temporary file is gone and
// the files of the delivered steps are there, whole.

#include "support/TempDir.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalvero {
namespace {

struct Child {
    pid_t pid = -1;
    int output = -1;
};

Child StartSlowBatch(const std::filesystem::path& folder, bool hangUpIgnored) {
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::close(pipe[0]);
        ::close(pipe[1]);
        // As under nohup: the hang-up must stay ignored.
        std::signal(SIGHUP, hangUpIgnored ? SIG_IGN : SIG_DFL);
        ::execl(KALVERO_SLOW_BATCH, KALVERO_SLOW_BATCH, folder.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(pipe[1]);
    return {pid, pipe[0]};
}

// The number of files the child has delivered once it waits for its signal;
// -1 when it did not get there within 30 seconds.
int WaitUntilReady(const Child& child) {
    pollfd ready{child.output, POLLIN, 0};
    char line[64] = {};
    int delivered = -1;
    if (::poll(&ready, 1, 30'000) == 1 && ::read(child.output, line, sizeof line - 1) > 0) {
        std::sscanf(line, "ready %d", &delivered);
    }
    return delivered;
}

TEST(BatchSignal, EachSignalRemovesTheTemporaryFilesAndKeepsTheDeliveredSteps) {
    struct Case {
        const char* what;
        bool hangUpIgnored;
        std::vector<int> sent;
        int exitStatus;
    };
    const Case cases[] = {
        {"SIGINT", false, {SIGINT}, 130},
        {"SIGTERM", false, {SIGTERM}, 143},
        {"SIGHUP", false, {SIGHUP}, 129},
        {"SIGHUP ignored from the start, then SIGTERM", true, {SIGHUP, SIGTERM}, 143},
    };
    // The children run side by side.
    std::vector<std::unique_ptr<test::TempDir>> folders;
    std::vector<Child> children;
    for (const Case& c : cases) {
        folders.push_back(std::make_unique<test::TempDir>());
        children.push_back(StartSlowBatch(folders.back()->path(), c.hangUpIgnored));
        ASSERT_GT(children.back().pid, 0);
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const test::TempDir& dir = *folders[i];
        const int delivered = WaitUntilReady(children[i]);
        ASSERT_GT(delivered, 0) << c.what;
        const std::vector<std::string> before = dir.entries();
        const auto hidden = std::count_if(before.begin(), before.end(),
                                          [](const std::string& name) { return name[0] == '.'; });
        EXPECT_GE(hidden, 3) << c.what << ": the files after the step wait beside their targets";
        for (const int signal : c.sent) {
            ::usleep(50'000); // an ignored signal has time to do nothing
            ::kill(children[i].pid, signal);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(children[i].pid, &status, 0), children[i].pid);
        ::close(children[i].output);
        ASSERT_TRUE(WIFEXITED(status)) << c.what << ": killed by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), c.exitStatus) << c.what;

        std::vector<std::string> expected;
        for (int file = 0; file < delivered; ++file) {
            expected.push_back("f" + std::to_string(file));
            EXPECT_EQ(test::ReadBytes(dir.file(expected.back())),
                      std::vector<std::uint8_t>(2000, static_cast<std::uint8_t>(file)))
                << c.what;
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(dir.entries(), expected) << c.what;
    }
}

} // namespace
} // namespace kalvero
