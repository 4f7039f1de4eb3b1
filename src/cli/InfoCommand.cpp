#include "cli/InfoCommand.h"

#include "cli/ArgumentPath.h"
#include "cli/Console.h"
#include "conversion/FileKind.h"

namespace kalvero::cli {

InfoCommand::InfoCommand()
    : Command({"info",
               "Tell what each file is: EPA logo, EPA 2.0 image or accepted bitmap",
               {"FILE..."},
               "Prints one line a file: its name as given, a colon and what it is:\n"
               "  EPA version 1, short logo, 136 x 84\n"
               "  EPA version 1, tall logo, 136 x 126\n"
               "  EPA 2.0, 4-bit (16 colours), WIDTH x HEIGHT\n"
               "  EPA 2.0, 8-bit (256 colours), WIDTH x HEIGHT\n"
               "  bitmap, 2 colours, 136 x 84        (also 136 x 126, and 16 colours)\n"
               "  not accepted: REASON\n"
               "EPA logos and bitmaps are told apart by their size alone, as in the editor;\n"
               "EPA 2.0 images by their size and their first 8 bytes. Files that cannot be\n"
               "read are reported on standard error. The exit status is 1 when a file is\n"
               "not accepted or cannot be read."}) {}

int InfoCommand::run(const QCommandLineParser& parser) {
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        return ReportUsageError("info needs at least one file", name());
    }
    int status = ExitSuccess;
    for (const QString& file : files) {
        const FileResult<FileKind> kind = ProbeFile(PathFromArgument(file));
        if (!kind) {
            ReportFileError(file, kind.error().reason);
            status = ExitFailure;
            continue;
        }
        PrintLine(file + ": " + QString::fromStdString(DescribeFileKind(kind.value())));
        if (kind.value().type == FileType::NotAccepted) {
            status = ExitFailure;
        }
    }
    return status;
}

} // namespace kalvero::cli
