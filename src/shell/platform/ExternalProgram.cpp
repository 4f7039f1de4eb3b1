#include "shell/platform/ExternalProgram.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kalvero {

namespace {

// waitpid without blocking; the child's status once it has ended.
std::optional<int> EndedStatus(pid_t child) {
    int status = 0;
    pid_t result = 0;
    do {
        result = ::waitpid(child, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0) {
        return std::nullopt;
    }
    return result == child ? status : -1;
}

} // namespace

std::optional<std::filesystem::path> FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const std::string_view folder = folders.substr(0, end);
        folders.remove_prefix(std::min(end + 1, folders.size()));
        // An empty entry stands for the working folder; a start-up helper
        // should not be taken from there.
        if (folder.empty() || folder.front() != '/') {
            continue;
        }
        std::filesystem::path candidate = std::filesystem::path(folder) / name;
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                std::chrono::milliseconds limit) {
    std::string programText = program.string();
    std::vector<std::string> texts = arguments;
    std::vector<char*> argv{programText.data()};
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // The editor's threads keep the cleanup signals blocked: the child starts
    // with none blocked.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, programText.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::optional<int> status = EndedStatus(child);
    while (!status && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        status = EndedStatus(child);
    }
    if (!status) {
        ::kill(child, SIGKILL);
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        return false;
    }
    return WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

} // namespace kalvero
