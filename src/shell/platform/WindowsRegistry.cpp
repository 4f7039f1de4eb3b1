#include "shell/platform/WindowsRegistry.h"

#include <windows.h>

namespace kalvero {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
}

HKEY Handle(Registry::Key key) {
    return reinterpret_cast<HKEY>(key);
}

Registry::Key KeyOf(HKEY handle) {
    return reinterpret_cast<Registry::Key>(handle);
}

} // namespace

std::optional<Registry::Key> WindowsRegistry::openKey(RegistryRoot root, const std::string& subKey,
                                                      RegistryAccess access) {
    const REGSAM rights = access == RegistryAccess::QueryValue ? KEY_QUERY_VALUE : KEY_ALL_ACCESS;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, rights, &handle) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return KeyOf(handle);
}

std::optional<Registry::Key> WindowsRegistry::createKey(RegistryRoot root,
                                                        const std::string& subKey) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(RootKey(root), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return KeyOf(handle);
}

std::optional<std::string> WindowsRegistry::queryValue(Key key, const std::string& name) {
    // The value may grow between asking for its size and reading it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(Handle(key), name.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ) {
            return std::nullopt;
        }
        std::string text(size, '\0');
        const LSTATUS status = RegQueryValueExA(Handle(key), name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(text.data()), &size);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            return std::nullopt;
        }
        text.resize(size);
        while (!text.empty() && text.back() == '\0') {
            text.pop_back();
        }
        return text;
    }
    return std::nullopt;
}

bool WindowsRegistry::setValue(Key key, const std::string& name, const std::string& text) {
    // The data is the characters alone, without a terminating zero. A zero
    // byte right after the data would be stored with it (RegSetValueExA takes
    // it for a forgotten terminator), so a non-zero byte follows instead.
    const std::string data = text + '\x01';
    return RegSetValueExA(Handle(key), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

void WindowsRegistry::closeKey(Key key) {
    RegCloseKey(Handle(key));
}

} // namespace kalvero
