#include "cli/CliRunner.h"

#include <QProcess>
#include <sys/resource.h>

namespace kalvero::test {

CliRun RunCli(const QStringList& arguments, const std::filesystem::path& folder,
              std::optional<std::uint64_t> fileSizeLimit) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    if (fileSizeLimit) {
        const rlimit limit{*fileSizeLimit, *fileSizeLimit};
        process.setChildProcessModifier([limit] { ::setrlimit(RLIMIT_FSIZE, &limit); });
    }
    process.start(KALVERO_CLI_PATH, arguments);
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

QString CliTest::arg(const std::string& name) const {
    return QString::fromStdString(dir.file(name).string());
}

} // namespace kalvero::test
