#include "cli/CliTest.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <pty.h>
#include <stdexcept>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace kalvero::test {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Everything up to the end of the stream (a terminal whose other side has
// closed ends with EIO); the descriptor is closed.
std::string ReadAll(int fd) {
    std::string text;
    char buffer[65536];
    for (ssize_t got = 0; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            break;
        }
    }
    ::close(fd);
    return text;
}

// A terminal, raw so that the line ends come through as written; both ends
// are closed on exec, as a pipe's are.
bool OpenTerminal(int (&fds)[2]) {
    termios raw{};
    ::cfmakeraw(&raw);
    return ::openpty(&fds[0], &fds[1], nullptr, &raw, nullptr) == 0 &&
           ::fcntl(fds[0], F_SETFD, FD_CLOEXEC) == 0 && ::fcntl(fds[1], F_SETFD, FD_CLOEXEC) == 0;
}

} // namespace

bool CliProcess::UnderWine() {
    return !Environment("KALVERO_CLI_RUNNER").empty();
}

CliProcess::CliProcess(const std::filesystem::path& folder,
                       const std::vector<std::string>& arguments, const CliOptions& options) {
    std::vector<std::string> command;
    if (UnderWine()) {
        command.push_back(Environment("KALVERO_CLI_RUNNER"));
    }
    command.push_back(Environment("KALVERO_CLI").empty() ? KALVERO_CLI_PATH
                                                         : Environment("KALVERO_CLI"));
    command.insert(command.end(), arguments.begin(), arguments.end());

    // Standard input is a file of its own, read whole by the time it ends.
    const TempDir inputFolder;
    WriteBytes(inputFolder.file("input"), options.input);
    const int in = ::open(inputFolder.file("input").c_str(), O_RDONLY | O_CLOEXEC);
    int out[2];
    int err[2];
    if (in < 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
        (options.terminal ? !OpenTerminal(err) : ::pipe2(err, O_CLOEXEC) != 0) ||
        (child_ = ::fork()) < 0) {
        throw std::runtime_error("cannot start kalvero-cli");
    }
    if (child_ == 0) {
        ::dup2(options.inputFile.empty() ? in : ::open(options.inputFile.c_str(), O_RDONLY), 0);
        ::dup2(options.outputFile.empty()
                   ? out[1]
                   : ::open(options.outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644),
               1);
        ::dup2(err[1], 2);
        // English, whatever the tester's locale; still UTF-8, since Wine
        // takes the encoding of file names from it.
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::setenv("LANG", "C.UTF-8", 1);
        for (const std::string& setting : options.locale) {
            ::putenv(::strdup(setting.c_str()));
        }
        std::signal(SIGPIPE, SIG_DFL);
        std::signal(SIGHUP, options.hangUpIgnored ? SIG_IGN : SIG_DFL);
        std::vector<char*> argv;
        for (std::string& argument : command) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        if (::chdir(folder.c_str()) == 0) {
            ::execvp(argv[0], argv.data());
        }
        ::_exit(127);
    }
    for (const int fd : {in, out[1], err[1]}) {
        ::close(fd);
    }
    output_ = out[0];
    error_ = err[0];
}

CliProcess::~CliProcess() {
    for (const int fd : {output_, error_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    if (child_ > 0) {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, nullptr, 0);
    }
}

CliRun CliProcess::finish() {
    CliRun run;
    // Both at once: the child may wait for either to be read.
    std::future<std::string> out =
        std::async(std::launch::async, ReadAll, std::exchange(output_, -1));
    run.err = ReadAll(std::exchange(error_, -1));
    run.out = out.get();
    int status = 0;
    ::waitpid(std::exchange(child_, -1), &status, 0);
    run.exitCode = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return run;
}

} // namespace kalvero::test
