#pragma once

#include <QString>
#include <string>

namespace kalvero::cli {

inline constexpr char ProgramName[] = "kalvero-cli";

// Text, and a line, on standard output.
void PrintText(const QString& text);
void PrintLine(const QString& line);

// "kalvero-cli: FILE: reason" on standard error; file is named as it was given.
void ReportFileError(const QString& file, const std::string& reason);

// A wrong command line: the problem and where to find help, on standard error.
// helpFor is the command whose help fits, or empty for the overall help.
// Gives the exit status for it.
int ReportUsageError(const QString& problem, const QString& helpFor);

} // namespace kalvero::cli
