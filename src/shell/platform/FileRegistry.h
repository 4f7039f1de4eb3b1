#pragma once

#include "shell/platform/Registry.h"
#include "shell/platform/RegistryText.h"

#include <cstddef>
#include <filesystem>
#include <map>

namespace kalvero {

// The registry kept in one small text file (see FormatRegistryText), for
// systems without a registry of their own. A missing file holds no keys.
// Every open reads the file again and every change rewrites it atomically,
// creating its folder when needed.
class FileRegistry : public Registry {
public:
    // A larger file is taken to hold no keys, so that it cannot stall the start.
    static constexpr std::size_t MaxFileBytes = 64 * 1024;

    explicit FileRegistry(std::filesystem::path file);

    std::optional<Key> openKey(RegistryRoot root, const std::string& subKey,
                               RegistryAccess access) override;
    std::optional<Key> createKey(RegistryRoot root, const std::string& subKey) override;
    std::optional<std::string> queryValue(Key key, const std::string& name) override;
    bool setValue(Key key, const std::string& name, const std::string& text) override;
    void closeKey(Key key) override;

private:
    struct OpenKey {
        RegistryRoot root;
        std::string subKey;
        RegistryAccess access;
    };

    void reload();
    bool save() const;
    Key remember(OpenKey key);

    std::filesystem::path file_;
    RegistryContents contents_;
    std::map<Key, OpenKey> openKeys_;
    Key nextKey_ = 1;
};

} // namespace kalvero
