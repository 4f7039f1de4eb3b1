#include "shell/platform/DesktopFiles.h"

#include <algorithm>
#include <vector>

namespace kalvero {

namespace {

constexpr std::string_view DefaultGroup = "[Default Applications]";

// Characters that make the desktop entry's Exec key need quotes around an argument.
bool NeedsQuotes(std::string_view argument) {
    return argument.empty() ||
           argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string_view::npos;
}

// One argument of an Exec key before the key file's own escapes: in quotes
// with " ` $ \ escaped when needed, and % doubled so it is no field code.
std::string ExecArgument(std::string_view argument) {
    const bool quoted = NeedsQuotes(argument);
    std::string out = quoted ? "\"" : "";
    for (char c : argument) {
        if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            out += '\\';
        }
        out += c;
        if (c == '%') {
            out += '%';
        }
    }
    return quoted ? out + "\"" : out;
}

// A value of type string in a key file: backslashes and control characters
// escaped, applied after the quoting of Exec arguments.
std::string KeyFileString(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsGroupHeader(std::string_view line) {
    line = Trimmed(line);
    return !line.empty() && line.front() == '[';
}

// A "key=value" line whose key is the MIME type.
bool IsEntryFor(std::string_view line, std::string_view mimeType) {
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && Trimmed(line.substr(0, equals)) == mimeType;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

} // namespace

std::string DesktopEntryText(std::string_view programPath, std::string_view iconName) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Kalvero\n"
           "GenericName=Boot Logo Editor\n"
           "Comment=Edit Award BIOS boot logos (EPA files)\n"
           "Exec=" +
           KeyFileString(ExecArgument(programPath) + " %f") +
           "\n"
           "Icon=" +
           KeyFileString(iconName) +
           "\n"
           "MimeType=application/x-award-epa;\n"
           "Terminal=false\n"
           "Categories=Graphics;\n";
}

bool IsOurDesktopEntry(std::string_view entry) {
    const std::vector<std::string> lines = SplitLines(entry);
    const std::vector<std::string> ours = SplitLines(DesktopEntryText("kalvero", "kalvero"));
    if (lines.size() != ours.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The program's path is ours to change; "Icon=" names our icon.
        const bool exec = lines[i].starts_with("Exec=") && lines[i].ends_with(" %f") &&
                          ours[i].starts_with("Exec=");
        if (lines[i] != ours[i] && !exec) {
            return false;
        }
    }
    return true;
}

std::string MimePackageText() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"application/x-award-epa\">\n"
           "    <comment>Award BIOS boot logo</comment>\n"
           "    <glob pattern=\"*.epa\"/>\n"
           "    <glob pattern=\"*.EPA\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

bool NamesDefaultOpener(std::string_view mimeapps, std::string_view mimeType) {
    bool inDefaults = false;
    for (const std::string& line : SplitLines(mimeapps)) {
        if (IsGroupHeader(line)) {
            inDefaults = Trimmed(line) == DefaultGroup;
        } else if (inDefaults && IsEntryFor(line, mimeType) &&
                   !Trimmed(std::string_view(line).substr(line.find('=') + 1)).empty()) {
            return true;
        }
    }
    return false;
}

std::string MimeAppsWithDefault(std::string_view existing, std::string_view mimeType,
                                std::string_view desktopFile) {
    const std::string entry = std::string(mimeType) + "=" + std::string(desktopFile);
    std::vector<std::string> lines = SplitLines(existing);

    // Replace the first entry for the type in place and drop any repetition,
    // which would leave the choice to whichever line a reader takes.
    bool placed = false;
    std::ptrdiff_t defaultHeader = -1;
    bool inDefaults = false;
    std::vector<std::string> merged;
    for (const std::string& line : lines) {
        if (IsGroupHeader(line)) {
            inDefaults = Trimmed(line) == DefaultGroup;
            if (inDefaults && defaultHeader < 0) {
                defaultHeader = static_cast<std::ptrdiff_t>(merged.size());
            }
        } else if (inDefaults && IsEntryFor(line, mimeType)) {
            if (!placed) {
                merged.push_back(entry);
                placed = true;
            }
            continue;
        }
        merged.push_back(line);
    }
    if (!placed && defaultHeader >= 0) {
        merged.insert(merged.begin() + defaultHeader + 1, entry);
    } else if (!placed) {
        if (!merged.empty() && !Trimmed(merged.back()).empty()) {
            merged.emplace_back();
        }
        merged.emplace_back(DefaultGroup);
        merged.push_back(entry);
    }

    std::string out;
    for (const std::string& line : merged) {
        out += line;
        out += '\n';
    }
    return out;
}

} // namespace kalvero
