#include "cli/CliApplication.h"
#include "document/FileIo.h"

#include <cstdio>

#ifdef _WIN32
#include <QCoreApplication>
#endif

namespace {

// No QCoreApplication on Unix: it would warn on standard error about a
// locale that is not UTF-8, and Qt reads arguments as UTF-8 there anyway.
QStringList Arguments(int argc, char** argv) {
#ifdef _WIN32
    const QCoreApplication application(argc, argv);
    return QCoreApplication::arguments();
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
#endif
}

} // namespace

int main(int argc, char** argv) {
    kalvero::IgnoreFileSizeSignal();
    const int status = kalvero::cli::CliApplication().run(Arguments(argc, argv));
    // Output that never reached its file (a full disk) fails the run too.
    return std::fflush(stdout) == 0 || status != kalvero::cli::ExitSuccess
               ? status
               : kalvero::cli::ExitFailure;
}
