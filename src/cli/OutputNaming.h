#pragma once

#include <QDir>
#include <QSet>
#include <QString>
#include <optional>

namespace kalvero::cli {

// Names the output of each input in the folder given with --output-dir: the
// input's name up to its last point, then the command's extension
// ("my.logo.bmp" gives "my.logo.epa"). Two inputs of one name would overwrite
// each other's output, so each output name is given out once only.
class OutputNaming {
public:
    OutputNaming(const QString& folder, const QString& extension);

    // Nothing when an earlier input already has this output name.
    std::optional<QString> outputFor(const QString& input);

private:
    QDir folder_;
    QString extension_;
    QSet<QString> given_;
};

} // namespace kalvero::cli
