#include "document/FileNames.h"

#include <algorithm>

namespace kalvero {
namespace {

std::string::size_type NameStart(const std::string& path) {
#ifdef _WIN32
    const std::string::size_type separator = path.find_last_of("\\/:");
#else
    const std::string::size_type separator = path.find_last_of('/');
#endif
    return separator == std::string::npos ? 0 : separator + 1;
}

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

} // namespace

std::string DefaultEpaName(const std::string& bmpFileName) {
    const std::string::size_type point = bmpFileName.find('.');
    if (point == std::string::npos) {
        return bmpFileName + ".epa";
    }
    return bmpFileName.substr(0, point + 1) + "epa";
}

std::string FileTitle(const std::string& path) {
    return path.substr(NameStart(path));
}

bool HasBmpExtension(const std::string& path) {
    const std::string name = FileTitle(path);
    const std::string::size_type point = name.rfind('.');
    if (point == std::string::npos || name.size() - point != 4) {
        return false;
    }
    std::string extension = name.substr(point + 1);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension == "bmp";
}

std::string BackupName(const std::string& path, int number) {
    const std::string::size_type nameStart = NameStart(path);
    const std::string::size_type point = path.rfind('.');
    const std::string stem =
        point != std::string::npos && point >= nameStart ? path.substr(0, point) : path;
    return stem + "." + std::to_string(number);
}

std::string QuotedName(std::string_view name) {
    if (name.empty()) {
        return "''";
    }
    if (std::none_of(name.begin(), name.end(), IsControl)) {
        return std::string(name);
    }
    constexpr char Hex[] = "0123456789abcdef";
    std::string quoted = "$'";
    for (const unsigned char c : name) {
        const std::string_view named = c == '\n'   ? "\\n"
                                       : c == '\t' ? "\\t"
                                       : c == '\r' ? "\\r"
                                       : c == '\\' ? "\\\\"
                                       : c == '\'' ? "\\'"
                                                   : "";
        if (!named.empty()) {
            quoted += named;
        } else if (IsControl(c)) {
            quoted += {'\\', 'x', Hex[c >> 4], Hex[c & 15]};
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "'";
}

} // namespace kalvero
