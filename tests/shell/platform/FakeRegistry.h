#pragma once

#include "shell/platform/Registry.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kalvero::test {

// An in-memory registry that records every call and can be told to refuse
// creating chosen keys or setting values in them. Values are returned exactly
// as stored, terminating zeros included, as a careless backend would.
class FakeRegistry : public Registry {
public:
    using Values = std::map<std::string, std::string>;

    std::optional<Key> openKey(RegistryRoot root, const std::string& subKey,
                               RegistryAccess access) override;
    std::optional<Key> createKey(RegistryRoot root, const std::string& subKey) override;
    std::optional<std::string> queryValue(Key key, const std::string& name) override;
    bool setValue(Key key, const std::string& name, const std::string& text) override;
    void closeKey(Key key) override;

    // Keys are named "HKCU\..." or "HKCR\...".
    void put(const std::string& key, const std::string& name, const std::string& text) {
        keys_[key][name] = text;
    }
    bool has(const std::string& key) const { return keys_.contains(key); }
    const Values& values(const std::string& key) const { return keys_.at(key); }

    std::set<std::string> refuseCreate;
    std::set<std::string> refuseSet;
    // "open HKCU\Software\Kalvero", "set sichern=1", "close", ...
    std::vector<std::string> calls;
    int openKeys() const { return static_cast<int>(open_.size()); }

private:
    Key remember(const std::string& key, bool writable);

    std::map<std::string, Values> keys_;
    std::map<Key, std::pair<std::string, bool>> open_;
    Key next_ = 100;
};

} // namespace kalvero::test
