#include "cli/Console.h"

#include "cli/Command.h"

#include <cstdio>

namespace kalvero::cli {
namespace {

void Write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

void PrintText(const QString& text) {
    Write(stdout, text.toStdString());
}

void PrintLine(const QString& line) {
    PrintText(line + "\n");
}

void ReportFileError(const QString& file, const std::string& reason) {
    Write(stderr, std::string(ProgramName) + ": " + file.toStdString() + ": " + reason + "\n");
}

int ReportUsageError(const QString& problem, const QString& helpFor) {
    const QString help = helpFor.isEmpty() ? QString("--help") : helpFor + " --help";
    Write(stderr, QString("%1: %2\nTry '%1 %3'.\n").arg(ProgramName, problem, help).toStdString());
    return ExitUsage;
}

} // namespace kalvero::cli
