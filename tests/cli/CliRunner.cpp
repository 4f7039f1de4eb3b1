#include "cli/CliRunner.h"

#include <QProcess>
#include <QStandardPaths>
#include <sys/resource.h>
#include <unistd.h>

namespace kalvero::test {

CliRun Succeeded(const std::string& out) {
    return {0, out, ""};
}

CliRun Failed(const std::string& message) {
    return {1, "", "kalvero-cli: " + message + "\n"};
}

long PeakRunMemoryKilobytes() {
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    return children.ru_maxrss;
}

std::optional<std::string> UnprivilegedRunMissing() {
    if (::geteuid() != 0) {
        return std::nullopt;
    }
    if (QStandardPaths::findExecutable("setpriv").isEmpty()) {
        return "the tests run as root and setpriv (util-linux) is missing";
    }
    QProcess probe;
    probe.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "test", "-x",
                            KALVERO_CLI_PATH});
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0) {
        return "nobody cannot run kalvero-cli (a folder on its path is closed to other users)";
    }
    return std::nullopt;
}

CliRun RunCli(const QStringList& arguments, const std::filesystem::path& folder,
              const CliConditions& conditions) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    if (conditions.fileSizeLimit) {
        const rlimit limit{*conditions.fileSizeLimit, *conditions.fileSizeLimit};
        process.setChildProcessModifier([limit] { ::setrlimit(RLIMIT_FSIZE, &limit); });
    }
    if (conditions.changeOnOpen) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", KALVERO_CHANGE_ON_OPEN_PATH);
        // A preloaded library cannot come before the sanitizer's runtime.
        const QString sanitizer = environment.value("ASAN_OPTIONS");
        environment.insert("ASAN_OPTIONS", sanitizer + (sanitizer.isEmpty() ? "" : ":") +
                                               "verify_asan_link_order=0");
        process.setProcessEnvironment(environment);
    }
    if (conditions.unprivileged && ::geteuid() == 0) {
        process.start("setpriv", QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                             KALVERO_CLI_PATH} +
                                     arguments);
    } else {
        process.start(KALVERO_CLI_PATH, arguments);
    }
    CliRun result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "kalvero-cli did not finish normally: "
                      << arguments.join(' ').toStdString();
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

} // namespace kalvero::test
