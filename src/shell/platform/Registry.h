#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kalvero {

enum class RegistryRoot { CurrentUser, ClassesRoot };
enum class RegistryAccess { QueryValue, AllAccess };

// A small slice of the Windows registry API: what the settings and the
// file-type association need.
class Registry {
public:
    using Key = std::uintptr_t; // opaque handle

    virtual ~Registry() = default;

    // Like RegOpenKeyExA: fails when the key is absent.
    virtual std::optional<Key> openKey(RegistryRoot root, const std::string& subKey,
                                       RegistryAccess access) = 0;
    // Like RegCreateKeyExA with KEY_ALL_ACCESS: opens the key or creates it.
    virtual std::optional<Key> createKey(RegistryRoot root, const std::string& subKey) = 0;
    // A REG_SZ value; data with or without a terminating zero read the same.
    virtual std::optional<std::string> queryValue(Key key, const std::string& name) = 0;
    // Stores REG_SZ data without a terminating zero; the name "" is the
    // key's default value.
    virtual bool setValue(Key key, const std::string& name, const std::string& text) = 0;
    virtual void closeKey(Key key) = 0;
};

} // namespace kalvero
