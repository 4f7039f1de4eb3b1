#pragma once

#include "shell/platform/Registry.h"

namespace kalvero {

// The Windows registry itself, through advapi32. Keys are HKEY handles.
class WindowsRegistry : public Registry {
public:
    std::optional<Key> openKey(RegistryRoot root, const std::string& subKey,
                               RegistryAccess access) override;
    std::optional<Key> createKey(RegistryRoot root, const std::string& subKey) override;
    std::optional<std::string> queryValue(Key key, const std::string& name) override;
    bool setValue(Key key, const std::string& name, const std::string& text) override;
    void closeKey(Key key) override;
};

} // namespace kalvero
