#include "shell/platform/FileRegistry.h"

#include "document/FileIo.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace kalvero {

namespace {

// A name the file cannot hold on a line of its own.
bool IsUsableKeyName(const std::string& subKey) {
    return !subKey.empty() && subKey.find_first_of(std::string("\n\r\0", 3)) == std::string::npos;
}

} // namespace

FileRegistry::FileRegistry(std::filesystem::path file) : file_(std::move(file)) {}

void FileRegistry::reload() {
    contents_.clear();
    const auto bytes = ReadFilePrefix(file_, MaxFileBytes + 1);
    if (bytes.ok() && bytes.value().size() <= MaxFileBytes) {
        const auto& data = bytes.value();
        contents_ = ParseRegistryText(
            std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    }
}

bool FileRegistry::save() const {
    std::error_code ec;
    if (file_.has_parent_path()) {
        std::filesystem::create_directories(file_.parent_path(), ec);
    }
    const std::string text = FormatRegistryText(contents_);
    return WriteFileAtomically(
               file_, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))
        .ok();
}

Registry::Key FileRegistry::remember(OpenKey key) {
    openKeys_.emplace(nextKey_, std::move(key));
    return nextKey_++;
}

std::optional<Registry::Key> FileRegistry::openKey(RegistryRoot root, const std::string& subKey,
                                                   RegistryAccess access) {
    reload();
    if (FindSection(contents_, root, subKey) == nullptr) {
        return std::nullopt;
    }
    return remember({root, subKey, access});
}

std::optional<Registry::Key> FileRegistry::createKey(RegistryRoot root, const std::string& subKey) {
    if (!IsUsableKeyName(subKey)) {
        return std::nullopt;
    }
    reload();
    if (FindSection(contents_, root, subKey) == nullptr) {
        contents_.push_back({root, subKey, {}});
        if (!save()) {
            return std::nullopt;
        }
    }
    return remember({root, subKey, RegistryAccess::AllAccess});
}

std::optional<std::string> FileRegistry::queryValue(Key key, const std::string& name) {
    const auto open = openKeys_.find(key);
    if (open == openKeys_.end()) {
        return std::nullopt;
    }
    const RegistrySection* section = FindSection(contents_, open->second.root, open->second.subKey);
    if (section == nullptr) {
        return std::nullopt;
    }
    const auto value = std::find_if(section->values.begin(), section->values.end(),
                                    [&](const auto& v) { return SameRegistryName(v.name, name); });
    if (value == section->values.end()) {
        return std::nullopt;
    }
    std::string text = value->text;
    while (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

bool FileRegistry::setValue(Key key, const std::string& name, const std::string& text) {
    const auto open = openKeys_.find(key);
    if (open == openKeys_.end() || open->second.access != RegistryAccess::AllAccess) {
        return false;
    }
    // Another program may have changed the file since the key was opened.
    reload();
    RegistrySection* section = FindSection(contents_, open->second.root, open->second.subKey);
    if (section == nullptr) {
        contents_.push_back({open->second.root, open->second.subKey, {}});
        section = &contents_.back();
    }
    const auto value = std::find_if(section->values.begin(), section->values.end(),
                                    [&](const auto& v) { return SameRegistryName(v.name, name); });
    if (value == section->values.end()) {
        section->values.push_back({name, text});
    } else {
        value->text = text;
    }
    return save();
}

void FileRegistry::closeKey(Key key) {
    openKeys_.erase(key);
}

} // namespace kalvero
