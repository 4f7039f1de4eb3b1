#pragma once

#include "document/FileIo.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kalvero::cli {

// The files a command reads, known by what they are rather than by name
// (IdentityOf: device and file number, links followed; standard input by the
// file it is redirected from), so that no output replaces one of them: not
// under its own name, another name, a hard link, a symlink, /dev/stdin or
// /dev/fd/0. A batch of thousands needs a look-up, not a comparison each.
class InputFiles {
public:
    // The inputs as given: "-" is standard input.
    explicit InputFiles(const std::vector<std::string>& inputs);

    // How a message names the input that is the same file as the output
    // given ("-": standard output), if any: "the input IN" or "standard input".
    std::optional<std::string> inputAt(const std::string& output) const;

private:
    std::map<FileIdentity, std::string> inputs_;
};

} // namespace kalvero::cli
