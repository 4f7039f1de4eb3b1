#pragma once

#include <optional>
#include <set>
#include <string>

namespace kalvero::cli {

// Names the output of each input in the folder given with --output-dir: the
// input's name up to its last point, then the command's extension
// ("my.logo.bmp" gives "my.logo.epa"). Two inputs of one name would overwrite
// each other's output, so each output name is given out once only. Names are
// bytes, taken apart at the path separators only.
class OutputNaming {
public:
    OutputNaming(std::string folder, std::string extension);

    // Nothing when an earlier input already has this output name.
    std::optional<std::string> outputFor(const std::string& input);

private:
    std::string folder_;
    std::string extension_;
    std::set<std::string> given_;
};

} // namespace kalvero::cli
