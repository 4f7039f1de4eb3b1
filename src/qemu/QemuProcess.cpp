#include "qemu/QemuProcess.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kalvero::qemu {

#ifdef _WIN32

QemuProcess::~QemuProcess() = default;

std::string QemuProcess::start(const std::filesystem::path&, const std::vector<std::string>&,
                               const std::filesystem::path&) {
    return "kalvero-cli runs QEMU on Linux only";
}

bool QemuProcess::running() {
    return false;
}

std::string QemuProcess::connectMonitor(const std::filesystem::path&, const StopRequest&) {
    return "kalvero-cli runs QEMU on Linux only";
}

std::optional<std::string> QemuProcess::command(const std::string&, const StopRequest&) {
    return std::nullopt;
}

void QemuProcess::kill() {}

std::optional<std::filesystem::path> FindProgram(const std::vector<std::string>&) {
    return std::nullopt;
}

#else

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// QEMU makes its socket and answers a command well within these.
constexpr auto StartWait = 10s;
constexpr auto AnswerWait = 10s;
constexpr auto Step = 20ms;
constexpr char Prompt[] = "(qemu) ";

std::string Reason(int error) {
    return std::generic_category().message(error);
}

} // namespace

QemuProcess::~QemuProcess() {
    kill();
}

std::string QemuProcess::start(const std::filesystem::path& program,
                               const std::vector<std::string>& arguments,
                               const std::filesystem::path& folder) {
    // Everything the child needs is made before fork: after it, in a program
    // with threads, only async-signal-safe calls are allowed.
    std::vector<std::string> strings{program.string()};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : strings) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    const std::string folderName = folder.string();
    const std::string logName = (folder / "qemu.log").string();
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return "cannot start QEMU: " + Reason(errno);
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(127);
        }
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        int error = 0;
        const int input = ::open("/dev/null", O_RDONLY);
        const int log = ::open(logName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (input < 0 || log < 0 || ::chdir(folderName.c_str()) != 0 || ::dup2(input, 0) < 0 ||
            ::dup2(log, 1) < 0 || ::dup2(log, 2) < 0) {
            error = errno;
        } else {
            ::execv(argv[0], argv.data());
            error = errno;
        }
        [[maybe_unused]] const ssize_t written = ::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    if (pid < 0) {
        const int error = errno;
        ::close(report[0]);
        return "cannot start QEMU: " + Reason(error);
    }
    pid_ = pid;
    ::setpgid(pid, pid);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == sizeof error) {
        kill();
        return "cannot start " + program.string() + ": " + Reason(error);
    }
    return {};
}

bool QemuProcess::running() {
    if (pid_ < 0) {
        return false;
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

std::string QemuProcess::connectMonitor(const std::filesystem::path& socket,
                                        const StopRequest& stop) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = socket.string();
    if (name.size() >= sizeof address.sun_path) {
        return "the temporary folder's name is too long for QEMU's monitor socket: set TMPDIR to "
               "a shorter one";
    }
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const auto deadline = Clock::now() + StartWait;
    while (Clock::now() < deadline && running() && !stop()) {
        monitor_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (monitor_ < 0) {
            return "cannot make a socket: " + Reason(errno);
        }
        if (::connect(monitor_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            return command("", stop) ? std::string() : "QEMU's monitor does not answer";
        }
        ::close(monitor_);
        monitor_ = -1;
        std::this_thread::sleep_for(Step);
    }
    return "QEMU's monitor did not open";
}

std::optional<std::string> QemuProcess::command(const std::string& line, const StopRequest& stop) {
    if (monitor_ < 0) {
        return std::nullopt;
    }
    if (!line.empty()) {
        const std::string text = line + "\n";
        if (::send(monitor_, text.data(), text.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(text.size())) {
            return std::nullopt;
        }
    }
    std::string answer;
    const auto deadline = Clock::now() + AnswerWait;
    while (Clock::now() < deadline && !stop()) {
        pollfd ready{monitor_, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(Step.count())) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t got = ::recv(monitor_, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return std::nullopt;
        }
        answer.append(buffer, static_cast<std::size_t>(got));
        if (answer.ends_with(Prompt)) {
            // The monitor echoes the command line first, then answers.
            answer.resize(answer.size() - (sizeof Prompt - 1));
            const std::size_t echoEnd = answer.find("\r\n");
            answer.erase(0, echoEnd == std::string::npos ? 0 : echoEnd + 2);
            while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) {
                answer.pop_back();
            }
            return answer;
        }
    }
    return std::nullopt;
}

void QemuProcess::kill() {
    if (monitor_ >= 0) {
        ::close(monitor_);
        monitor_ = -1;
    }
    if (pid_ > 0) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }
}

std::optional<std::filesystem::path> FindProgram(const std::vector<std::string>& names) {
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "";
    for (const std::string& name : names) {
        std::size_t start = 0;
        while (start <= folders.size()) {
            std::size_t end = folders.find(':', start);
            if (end == std::string::npos) {
                end = folders.size();
            }
            const std::filesystem::path candidate =
                std::filesystem::path(end > start ? folders.substr(start, end - start) : ".") /
                name;
            std::error_code ignored;
            if (::access(candidate.c_str(), X_OK) == 0 &&
                std::filesystem::is_regular_file(candidate, ignored)) {
                return candidate;
            }
            start = end + 1;
        }
    }
    return std::nullopt;
}

#endif

} // namespace kalvero::qemu
