#include "cli/CliTest.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace kalvero::test {
namespace {

std::string Environment(const char* name, const std::string& otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : otherwise;
}

void Check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(what);
    }
}

// Reads what is there; false at the end of the stream (a terminal whose
// other side has closed ends with EIO).
bool ReadSome(int fd, std::string& into) {
    char buffer[65536];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
        return true;
    }
    if (got <= 0) {
        return false;
    }
    into.append(buffer, static_cast<std::size_t>(got));
    return true;
}

} // namespace

bool CliProcess::UnderWine() {
    return !Environment("KALVERO_CLI_RUNNER", "").empty();
}

CliProcess::CliProcess(const std::filesystem::path& folder,
                       const std::vector<std::string>& arguments, const CliOptions& options)
    : inputBytes_(options.input) {
    std::vector<std::string> command;
    if (UnderWine()) {
        command.push_back(Environment("KALVERO_CLI_RUNNER", ""));
    }
    command.push_back(Environment("KALVERO_CLI", KALVERO_CLI_PATH));
    command.insert(command.end(), arguments.begin(), arguments.end());

    int in[2];
    int out[2];
    int err[2];
    Check(::pipe2(in, O_CLOEXEC) == 0 && ::pipe2(out, O_CLOEXEC) == 0, "pipe");
    if (options.terminal) {
        // Raw, so that the line ends come through as written.
        termios raw{};
        ::cfmakeraw(&raw);
        Check(::openpty(&err[0], &err[1], nullptr, &raw, nullptr) == 0, "openpty");
        ::fcntl(err[0], F_SETFD, FD_CLOEXEC);
        ::fcntl(err[1], F_SETFD, FD_CLOEXEC);
    } else {
        Check(::pipe2(err, O_CLOEXEC) == 0, "pipe");
    }
    child_ = ::fork();
    Check(child_ >= 0, "fork");
    if (child_ == 0) {
        ::dup2(options.inputFile.empty() ? in[0] : ::open(options.inputFile.c_str(), O_RDONLY), 0);
        if (options.outputFile.empty()) {
            ::dup2(out[1], 1);
        } else {
            const int file =
                ::open(options.outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            ::dup2(file, 1);
        }
        ::dup2(err[1], 2);
        if (options.fileSizeLimit != 0) {
            const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::signal(SIGPIPE, SIG_DFL);
        std::signal(SIGHUP, options.hangUpIgnored ? SIG_IGN : SIG_DFL);
        if (::chdir(folder.c_str()) != 0) {
            ::_exit(126);
        }
        std::vector<char*> argv;
        for (std::string& argument : command) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    input_ = in[1];
    output_ = out[0];
    error_ = err[0];
    ::fcntl(input_, F_SETFL, O_NONBLOCK);
}

CliProcess::~CliProcess() {
    for (const int fd : {input_, output_, error_}) {
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
    std::size_t fed = 0;
    std::signal(SIGPIPE, SIG_IGN);
    while (output_ >= 0 || error_ >= 0) {
        if (input_ >= 0 && fed == inputBytes_.size()) {
            ::close(input_);
            input_ = -1;
        }
        pollfd fds[3] = {{output_, POLLIN, 0}, {error_, POLLIN, 0}, {input_, POLLOUT, 0}};
        if (::poll(fds, 3, -1) < 0) {
            continue;
        }
        if (fds[2].revents != 0) {
            const ssize_t written =
                ::write(input_, inputBytes_.data() + fed, inputBytes_.size() - fed);
            if (written <= 0) {
                fed = inputBytes_.size();
            } else {
                fed += static_cast<std::size_t>(written);
            }
        }
        for (const auto& [fd, text] : {std::pair{&output_, &run.out}, {&error_, &run.err}}) {
            const pollfd& polled = fds[fd == &output_ ? 0 : 1];
            if (*fd >= 0 && polled.revents != 0 && !ReadSome(*fd, *text)) {
                ::close(*fd);
                *fd = -1;
            }
        }
    }
    int status = 0;
    ::waitpid(child_, &status, 0);
    child_ = -1;
    run.exitCode = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return run;
}

} // namespace kalvero::test
