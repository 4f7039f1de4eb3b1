#include "cli/CliApplication.h"
#include "document/FileIo.h"

#include <algorithm>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

// Standard input and output carry file bytes, never text with line ends
// translated.
void UseBinaryStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

int Run(std::vector<std::string> arguments) {
    kalvero::IgnoreFileSizeSignal();
    kalvero::RemoveTemporaryFilesOnSignals();
    UseBinaryStreams();
    return kalvero::cli::CliApplication().run(arguments);
}

} // namespace

#ifdef _WIN32

// Windows hands over the command line in UTF-16; inside, names are UTF-8.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const int length =
            WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(std::max(length, 1)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), length, nullptr, nullptr);
        argument.pop_back();
        arguments.push_back(std::move(argument));
    }
    return Run(std::move(arguments));
}

#else

// File names are bytes: they go to the file system as they came.
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}

#endif
