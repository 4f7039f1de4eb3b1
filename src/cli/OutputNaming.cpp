#include "cli/OutputNaming.h"

namespace kalvero::cli {
namespace {

#ifdef _WIN32
constexpr const char* Separators = "/\\";
#else
constexpr const char* Separators = "/";
#endif

} // namespace

OutputNaming::OutputNaming(std::string folder, std::string extension)
    : folder_(std::move(folder)), extension_(std::move(extension)) {
    while (folder_.size() > 1 && folder_.find_last_of(Separators) == folder_.size() - 1) {
        folder_.pop_back();
    }
    if (folder_.find_last_of(Separators) != folder_.size() - 1) {
        folder_ += '/';
    }
}

std::optional<std::string> OutputNaming::outputFor(const std::string& input) {
    const std::size_t slash = input.find_last_of(Separators);
    std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
    if (const std::size_t point = name.rfind('.'); point != std::string::npos) {
        name.resize(point);
    }
    std::string output = folder_ + name + extension_;
    if (!given_.insert(output).second) {
        return std::nullopt;
    }
    return output;
}

} // namespace kalvero::cli
