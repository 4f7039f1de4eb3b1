#include "picture/PictureDecoding.h"

#include "picture/PictureModule.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kalvero {
namespace {

// The running program's own file, links resolved: the module is found
// relative to it, in the build tree and once installed alike.
std::filesystem::path ProgramFile() {
#ifdef _WIN32
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
#else
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
#endif
}

std::filesystem::path InstalledModule() {
    // KALVERO_PICTURE_MODULE: the module relative to the program's folder.
    return (ProgramFile().parent_path() / KALVERO_PICTURE_MODULE).lexically_normal();
}

} // namespace

FileResult<DecodedPicture> DecodePicture(std::span<const std::uint8_t> file) {
    static const PictureModule module(InstalledModule());
    return module.decode(file);
}

} // namespace kalvero
