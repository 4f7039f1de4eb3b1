#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvero {

// The texts of the files behind the freedesktop association.

// kalvero.desktop, starting programPath with the file to open.
std::string DesktopEntryText(std::string_view programPath, std::string_view iconName);

// Whether a desktop entry is one DesktopEntryText wrote, for any program
// path, and nobody has edited since: only such an entry may be rewritten.
bool IsOurDesktopEntry(std::string_view entry);

// The shared-mime-info package that defines the MIME type of EPA files.
std::string MimePackageText();

// Whether a mimeapps.list names a default opener of the MIME type.
bool NamesDefaultOpener(std::string_view mimeapps, std::string_view mimeType);

// An existing mimeapps.list (or "") with this program as the default opener of
// the MIME type; every other line stays as it was.
std::string MimeAppsWithDefault(std::string_view existing, std::string_view mimeType,
                                std::string_view desktopFile);

} // namespace kalvero
