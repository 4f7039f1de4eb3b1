#pragma once

#include "shell/platform/Registry.h"

#include <map>
#include <set>
#include <string>

namespace kalvero::test {

// An in-memory registry that can refuse to create chosen keys or to set values
// in them. Keys are named "HKCU\..." or "HKCR\...". Values come back exactly as
// stored, terminating zeros included, as a careless backend would return them.
// A handle that is not open throws.
class FakeRegistry : public Registry {
public:
    std::optional<Key> openKey(RegistryRoot root, const std::string& subKey,
                               RegistryAccess) override {
        if (!keys.contains(name(root, subKey))) {
            return std::nullopt;
        }
        return remember(name(root, subKey));
    }
    std::optional<Key> createKey(RegistryRoot root, const std::string& subKey) override {
        if (refuseCreate.contains(name(root, subKey))) {
            return std::nullopt;
        }
        keys[name(root, subKey)]; // creates it
        return remember(name(root, subKey));
    }
    std::optional<std::string> queryValue(Key key, const std::string& value) override {
        const auto& values = keys.at(open.at(key));
        return values.contains(value) ? std::optional(values.at(value)) : std::nullopt;
    }
    bool setValue(Key key, const std::string& value, const std::string& text) override {
        if (refuseSet.contains(open.at(key))) {
            return false;
        }
        keys.at(open.at(key))[value] = text;
        return true;
    }
    void closeKey(Key key) override { open.erase(key); }

    std::map<std::string, std::map<std::string, std::string>> keys;
    std::set<std::string> refuseCreate;
    std::set<std::string> refuseSet;
    std::map<Key, std::string> open; // the key each open handle stands for

private:
    static std::string name(RegistryRoot root, const std::string& subKey) {
        return (root == RegistryRoot::CurrentUser ? "HKCU\\" : "HKCR\\") + subKey;
    }
    Key remember(const std::string& key) {
        open[next_] = key;
        return next_++;
    }

    Key next_ = 100;
};

} // namespace kalvero::test
