#include "cli/ArgumentPath.h"

#include "document/FileIo.h"

namespace kalvero::cli {

std::filesystem::path PathFromArgument(const std::string& argument) {
#ifdef _WIN32
    return PathFromUtf8(argument);
#else
    return std::filesystem::path(argument);
#endif
}

} // namespace kalvero::cli
