#include "cli/CliTest.h"

#include <chrono>
#include <csignal>
#include <thread>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

// What a terminal shows after the text: carriage returns go back to the
// start of the line, later characters overwrite earlier ones; trailing
// blanks are dropped.
std::vector<std::string> Screen(const std::string& text) {
    std::vector<std::string> lines{""};
    std::size_t column = 0;
    for (const char c : text) {
        if (c == '\r') {
            column = 0;
        } else if (c == '\n') {
            lines.emplace_back();
            column = 0;
        } else {
            std::string& line = lines.back();
            line.resize(std::max(line.size(), column + 1), ' ');
            line[column++] = c;
        }
    }
    for (std::string& line : lines) {
        line.erase(line.find_last_not_of(' ') + 1);
    }
    return lines;
}

using CliBatch = CliTest;

// On a terminal a batch shows "DONE/ALL files" on standard error, in place,
// gives way to error lines and leaves nothing behind; elsewhere, or quiet,
// only the errors appear.
TEST_F(CliBatch, ProgressLineOnATerminalOnly) {
    SKIP_UNDER_WINE();
    fs::create_directory(dir.file("out"));
    write("a.bmp", Bitmap(2, 84));
    write("b.bmp", Bitmap(16, 84));
    write("bad.bmp", Bytes(5));
    const std::string error = "kalvero-cli: bad.bmp: wrong size: 5 bytes (a bitmap must be 136 x "
                              "84 or 136 x 126 pixels: 1742 or 2582 bytes in 2 colours, 5830 or "
                              "8686 bytes in 16 colours)\n";
    const Arguments batch{"bmp2epa", "--output-dir", "out", "a.bmp", "bad.bmp", "b.bmp"};
    const CliRun shown = run(batch, {.terminal = true});
    EXPECT_EQ(shown.exitCode, 1);
    EXPECT_TRUE(shown.err.starts_with("\r0/3 files")) << shown.err;
    EXPECT_EQ(Screen(shown.err), (std::vector<std::string>{error.substr(0, error.size() - 1), ""}))
        << shown.err;

    Arguments quiet = batch;
    quiet.insert(quiet.begin() + 1, "-q");
    EXPECT_EQ(run(quiet, {.terminal = true}), (CliRun{1, "", error}));
    EXPECT_EQ(run(batch), (CliRun{1, "", error}));
    EXPECT_EQ(FolderEntries(dir.file("out")), (std::vector<std::string>{"a.epa", "b.epa"}));
}

// A signal in the middle of a batch (Ctrl-C, SIGTERM, SIGHUP, a closed pipe,
// any other whose default action ends the process): every temporary file is
// removed, the outputs delivered so far are whole, and the exit status is
// 128 + the signal's number. A hang-up ignored from the start (nohup) stays
// ignored.
TEST_F(CliBatch, InterruptedBatchKeepsWhatWasDeliveredAndLeavesNoTemporaryFile) {
    SKIP_UNDER_WINE();
    constexpr int Inputs = 200;
    Arguments arguments{"render", "--scale", "16", "--output-dir", "out"};
    for (int i = 0; i < Inputs; ++i) {
        const std::string name = "in" + std::to_string(i) + ".epa";
        write(name, Logo(i % 2 == 0));
        arguments.push_back(name);
    }
    // Each signal alone (SIGSYS for the faults: a sanitizer keeps SIGBUS and
    // SIGSEGV), then an ignored SIGHUP before a SIGTERM.
    std::vector<std::pair<std::vector<int>, bool>> cases;
    for (const int signal :
         {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXCPU, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM,
          SIGPROF, SIGPWR, SIGIO, SIGSTKFLT, SIGTRAP, SIGRTMIN, SIGRTMAX, SIGSYS}) {
        cases.push_back({{signal}, false});
    }
    cases.push_back({{SIGHUP, SIGTERM}, true});
    for (const auto& [sent, hangUpIgnored] : cases) {
        fs::create_directory(dir.file("out"));
        CliProcess batch(dir.path(), arguments, {.hangUpIgnored = hangUpIgnored});
        // Until a step is delivered and the files of the next one wait beside
        // their targets, hidden.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        const auto waiting = [&] {
            const std::vector<std::string> names = FolderEntries(dir.file("out"));
            const auto hidden = std::count_if(
                names.begin(), names.end(), [](const std::string& name) { return name[0] == '.'; });
            return hidden == 0 || hidden == static_cast<long>(names.size());
        };
        while (waiting() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        for (const int signal : sent) {
            std::this_thread::sleep_for(
                std::chrono::milliseconds(50)); // an ignored one does nothing
            ASSERT_EQ(::kill(batch.id(), signal), 0);
        }
        const CliRun result = batch.finish();
        EXPECT_EQ(result.exitCode, 128 + sent.back()) << result.err;
        const std::vector<std::string> outputs = FolderEntries(dir.file("out"));
        EXPECT_GT(outputs.size(), 0U);
        EXPECT_LT(outputs.size(), static_cast<std::size_t>(Inputs)) << "the batch was not cut";
        for (const std::string& name : outputs) {
            ASSERT_NE(name[0], '.') << "temporary file left: " << name;
            const int number = std::stoi(name.substr(2));
            EXPECT_EQ(png("out/" + name).size(), QSize(136 * 16, (number % 2 == 0 ? 126 : 84) * 16))
                << name;
        }
        fs::remove_all(dir.file("out"));
    }
}

} // namespace
} // namespace kalvero::test
