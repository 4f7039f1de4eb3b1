#include "FakeRegistry.h"

namespace kalvero::test {

namespace {

std::string FullName(RegistryRoot root, const std::string& subKey) {
    return (root == RegistryRoot::CurrentUser ? "HKCU\\" : "HKCR\\") + subKey;
}

} // namespace

Registry::Key FakeRegistry::remember(const std::string& key, bool writable) {
    open_[next_] = {key, writable};
    return next_++;
}

std::optional<Registry::Key> FakeRegistry::openKey(RegistryRoot root, const std::string& subKey,
                                                   RegistryAccess access) {
    const std::string key = FullName(root, subKey);
    calls.push_back("open " + key);
    if (!keys_.contains(key)) {
        return std::nullopt;
    }
    return remember(key, access == RegistryAccess::AllAccess);
}

std::optional<Registry::Key> FakeRegistry::createKey(RegistryRoot root, const std::string& subKey) {
    const std::string key = FullName(root, subKey);
    calls.push_back("create " + key);
    if (refuseCreate.contains(key)) {
        return std::nullopt;
    }
    keys_[key];
    return remember(key, true);
}

std::optional<std::string> FakeRegistry::queryValue(Key key, const std::string& name) {
    calls.push_back("query " + name);
    const auto open = open_.find(key);
    if (open == open_.end()) {
        return std::nullopt;
    }
    const Values& values = keys_.at(open->second.first);
    const auto value = values.find(name);
    return value == values.end() ? std::nullopt : std::optional(value->second);
}

bool FakeRegistry::setValue(Key key, const std::string& name, const std::string& text) {
    calls.push_back("set " + (name.empty() ? "@" : name) + "=" + text);
    const auto open = open_.find(key);
    if (open == open_.end() || !open->second.second || refuseSet.contains(open->second.first)) {
        return false;
    }
    keys_.at(open->second.first)[name] = text;
    return true;
}

void FakeRegistry::closeKey(Key key) {
    calls.push_back("close");
    open_.erase(key);
}

} // namespace kalvero::test
