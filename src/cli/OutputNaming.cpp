#include "cli/OutputNaming.h"

#include <QFileInfo>

namespace kalvero::cli {

OutputNaming::OutputNaming(const QString& folder, const QString& extension)
    : folder_(folder), extension_(extension) {}

std::optional<QString> OutputNaming::outputFor(const QString& input) {
    const QString output = folder_.filePath(QFileInfo(input).completeBaseName() + extension_);
    if (given_.contains(output)) {
        return std::nullopt;
    }
    given_.insert(output);
    return output;
}

} // namespace kalvero::cli
