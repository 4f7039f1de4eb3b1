#include "shell/platform/RegistryText.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace kalvero {

namespace {

constexpr std::string_view CurrentUserName = "HKEY_CURRENT_USER";
constexpr std::string_view ClassesRootName = "HKEY_CLASSES_ROOT";

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folded(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    return folded;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<RegistryRoot> RootFromName(std::string_view name) {
    if (SameRegistryName(name, CurrentUserName)) {
        return RegistryRoot::CurrentUser;
    }
    if (SameRegistryName(name, ClassesRootName)) {
        return RegistryRoot::ClassesRoot;
    }
    return std::nullopt;
}

// Reads a quoted text at the start of `rest` and moves `rest` past it.
std::optional<std::string> TakeQuoted(std::string_view& rest) {
    if (rest.empty() || rest.front() != '"') {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return text;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i == rest.size()) {
            break;
        }
        switch (rest[i]) {
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        case '0':
            text += '\0';
            break;
        default:
            text += rest[i]; // \\ and \" and anything a person may have typed
        }
    }
    return std::nullopt;
}

// "name"="text" or @="text"; other kinds of value (dword:, hex:) are not ours.
std::optional<RegistryValue> ParseValueLine(std::string_view line) {
    RegistryValue value;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else if (auto name = TakeQuoted(line)) {
        value.name = std::move(*name);
    } else {
        return std::nullopt;
    }
    line = Trimmed(line);
    if (line.empty() || line.front() != '=') {
        return std::nullopt;
    }
    line = Trimmed(line.substr(1));
    auto text = TakeQuoted(line);
    if (!text || !line.empty()) {
        return std::nullopt;
    }
    value.text = std::move(*text);
    return value;
}

// Builds the contents with indexes, so that a file of many keys or values
// is read in linear time.
class ContentsBuilder {
public:
    void openSection(RegistryRoot root, std::string_view subKey) {
        const std::string id = std::to_string(static_cast<int>(root)) + Folded(subKey);
        const auto [found, added] = sectionIndex_.try_emplace(id, contents_.size());
        if (added) {
            contents_.push_back({root, std::string(subKey), {}});
            valueIndexes_.emplace_back();
        }
        current_ = found->second;
    }
    void closeSection() { current_.reset(); }

    void setValue(RegistryValue value) {
        if (!current_) {
            return;
        }
        std::vector<RegistryValue>& values = contents_[*current_].values;
        const auto [found, added] =
            valueIndexes_[*current_].try_emplace(Folded(value.name), values.size());
        if (added) {
            values.push_back(std::move(value));
        } else {
            values[found->second].text = std::move(value.text); // the last one counts
        }
    }

    RegistryContents take() { return std::move(contents_); }

private:
    RegistryContents contents_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    std::vector<std::unordered_map<std::string, std::size_t>> valueIndexes_;
    std::optional<std::size_t> current_;
};

void ParseLine(std::string_view line, ContentsBuilder& builder) {
    if (line.empty() || line.front() == ';') {
        return;
    }
    if (line.front() == '[' || line.back() == ']') {
        const std::size_t separator = line.find('\\');
        const bool bracketed = line.size() >= 2 && line.front() == '[' && line.back() == ']';
        const auto root = bracketed && separator != std::string_view::npos
                              ? RootFromName(line.substr(1, separator - 1))
                              : std::nullopt;
        const std::string_view subKey =
            root ? line.substr(separator + 1, line.size() - separator - 2) : "";
        if (subKey.empty()) {
            builder.closeSection();
        } else {
            builder.openSection(*root, subKey);
        }
        return;
    }
    if (line.front() == '"' || line.front() == '@') {
        if (auto value = ParseValueLine(line)) {
            builder.setValue(std::move(*value));
        }
    }
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out += c;
        }
    }
    out += '"';
}

} // namespace

bool SameRegistryName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

RegistrySection* FindSection(RegistryContents& contents, RegistryRoot root,
                             std::string_view subKey) {
    const auto found = std::find_if(contents.begin(), contents.end(), [&](const auto& section) {
        return section.root == root && SameRegistryName(section.subKey, subKey);
    });
    return found == contents.end() ? nullptr : &*found;
}

RegistryContents ParseRegistryText(std::string_view text) {
    ContentsBuilder builder;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        ParseLine(Trimmed(text.substr(0, end)), builder);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return builder.take();
}

std::string FormatRegistryText(const RegistryContents& contents) {
    std::string out = "; Kalvero settings, in the layout of a registry export\n";
    for (const RegistrySection& section : contents) {
        out += '\n';
        out += '[';
        out += section.root == RegistryRoot::CurrentUser ? CurrentUserName : ClassesRootName;
        out += '\\';
        out += section.subKey;
        out += "]\n";
        for (const RegistryValue& value : section.values) {
            if (value.name.empty()) {
                out += '@';
            } else {
                AppendQuoted(out, value.name);
            }
            out += '=';
            AppendQuoted(out, value.text);
            out += '\n';
        }
    }
    return out;
}

} // namespace kalvero
