#include "cli/ArgumentPath.h"

#include "document/FileIo.h"

namespace kalvero::cli {

std::filesystem::path PathFromArgument(const QString& argument) {
    return PathFromUtf8(argument.toStdString());
}

} // namespace kalvero::cli
