#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kalvero::qemu {

// Asked often while the process is waited for: true stops the wait.
using StopRequest = std::function<bool()>;

// One run of QEMU in its own process group, killed when this goes or the
// thread that started it ends: no QEMU outlives the run.
class QemuProcess {
public:
    QemuProcess() = default;
    ~QemuProcess();
    QemuProcess(const QemuProcess&) = delete;
    QemuProcess& operator=(const QemuProcess&) = delete;

    // Starts the program in folder, which holds its files, standard input
    // from nowhere and its messages written to folder/qemu.log; or says why
    // it cannot.
    std::string start(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);
    bool running();
    // Connects to the monitor's socket once QEMU has made it, and reads its
    // greeting; or says why it cannot.
    std::string connectMonitor(const std::filesystem::path& socket, const StopRequest& stop);
    // Sends one monitor command and returns what the monitor answered, once
    // its prompt is back; nullopt when QEMU ended, went silent or was stopped.
    std::optional<std::string> command(const std::string& line, const StopRequest& stop);
    // Kills the process group and waits for it.
    void kill();

private:
    int pid_ = -1;
    int monitor_ = -1;
};

// The first of the names that is an executable file in a folder of PATH.
std::optional<std::filesystem::path> FindProgram(const std::vector<std::string>& names);

} // namespace kalvero::qemu
