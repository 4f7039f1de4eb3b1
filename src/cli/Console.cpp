#include "cli/Console.h"

#include "cli/Command.h"
#include "document/FileNames.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kalvero::cli {
namespace {

// German when the locale's messages are German, as for any command-line tool:
// LC_ALL, else LC_MESSAGES, else LANG, the first one set deciding.
Language LocaleLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("de") ? Language::German : Language::English;
        }
    }
    return Language::English;
}

#ifdef _WIN32

HANDLE ConsoleOf(std::FILE* stream) {
    const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) ? handle : nullptr;
}

// A console shows UTF-16; pipes and files get the UTF-8 bytes.
bool WriteStream(std::FILE* stream, std::string_view text) {
    if (const HANDLE console = ConsoleOf(stream)) {
        std::fflush(stream);
        const int length =
            MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
        DWORD written = 0;
        return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr) != 0;
    }
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

bool IsTerminal(std::FILE* stream) {
    return ConsoleOf(stream) != nullptr;
}

#else

bool WriteStream(std::FILE* stream, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

#endif

} // namespace

Console::Console()
    : language_(LocaleLanguage()), errorIsTerminal_(IsTerminal(stderr)),
      outputIsTerminal_(IsTerminal(stdout)) {}

void Console::print(std::string_view text) {
    if (!WriteStream(stdout, text) && !outputError_) {
        outputError_ = errno;
    }
}

void Console::write(std::span<const std::uint8_t> bytes) {
    print(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void Console::reportFileError(std::string_view file, std::string_view reason) {
    writeError(std::string(ProgramName) + ": " + QuotedName(file) + ": " + std::string(reason) +
               "\n");
}

void Console::reportFileError(std::string_view file, const Reason& reason) {
    reportFileError(file, reason.in(language_));
}

void Console::reportWarning(std::string_view file, std::string_view text) {
    if (!quiet_) {
        reportFileError(file, "warning: " + std::string(text));
    }
}

int Console::reportUsageError(std::string_view problem, std::string_view helpFor) {
    const std::string help = helpFor.empty() ? "--help" : std::string(helpFor) + " --help";
    writeError(std::string(ProgramName) + ": " + std::string(problem) + "\nTry '" + ProgramName +
               " " + help + "'.\n");
    return ExitUsage;
}

void Console::showProgress(std::size_t done, std::size_t total) {
    if (quiet_ || !errorIsTerminal_) {
        return;
    }
    if (!progress_) {
        progress_.emplace();
    }
    WriteStream(stderr, progress_->update(done, total));
}

void Console::endProgress() {
    if (progress_) {
        WriteStream(stderr, progress_->clear());
        progress_.reset();
    }
}

bool Console::finish() {
    if (std::fflush(stdout) != 0 && !outputError_) {
        outputError_ = errno;
    }
    if (outputError_) {
        reportFileError("standard output", std::strerror(*outputError_));
    }
    return !outputError_;
}

void Console::writeError(std::string_view text) {
    // An error takes the progress line's place; the next update draws it again.
    if (progress_) {
        WriteStream(stderr, progress_->clear());
    }
    WriteStream(stderr, text);
}

} // namespace kalvero::cli
