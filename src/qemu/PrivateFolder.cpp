#include "qemu/PrivateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace kalvero::qemu {

PrivateFolder::~PrivateFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

#ifdef _WIN32

std::string PrivateFolder::create() {
    return "kalvero-cli runs QEMU on Linux only";
}

#else

std::string PrivateFolder::create() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) {
        return "no temporary folder: " + error.message();
    }
    std::string name = (base / "kalvero-try-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
        return "cannot make a folder in " + base.string() + ": " +
               std::generic_category().message(errno);
    }
    path_ = name;
    return {};
}

#endif

} // namespace kalvero::qemu
