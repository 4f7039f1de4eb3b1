#pragma once

#include <filesystem>
#include <string>

namespace kalvero::qemu {

// A folder of our own under the system's temporary folder, removed with
// everything in it when this goes.
class PrivateFolder {
public:
    PrivateFolder() = default;
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Makes the folder, or says why it cannot.
    std::string create();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace kalvero::qemu
