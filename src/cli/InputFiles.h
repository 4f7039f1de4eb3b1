#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kalvero::cli {

// The files a batch reads, known by what they are rather than by name (device
// and file number, links followed), so that no output of the batch replaces
// one of them: not under its own name, another name, a hard link or a
// symlink. SameFile answers for two files; a batch of thousands needs a
// look-up.
class InputFiles {
public:
    explicit InputFiles(const std::vector<std::string>& inputs);

    // The input (as it was given) that is the same file as path, if any.
    std::optional<std::string> inputAt(const std::filesystem::path& path) const;

private:
    using Identity = std::pair<std::uint64_t, std::uint64_t>;
    static std::optional<Identity> IdentityOf(const std::filesystem::path& path);

    std::map<Identity, std::string> inputs_;
};

} // namespace kalvero::cli
