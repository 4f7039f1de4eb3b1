#pragma once

#include <string>
#include <string_view>

namespace kalvero {

// The name proposed for a logo made from a bitmap: the bitmap path up to and
// including its first ".", then "epa" (/pics/logo.bmp gives /pics/logo.epa,
// and a point in a folder name counts too: /my.pics/logo.bmp gives /my.epa).
// A path without any "." gets ".epa" appended.
std::string DefaultEpaName(const std::string& bmpFileName);

// The file's name without its folder.
std::string FileTitle(const std::string& path);

// Whether the file's own name ends in ".bmp", in any case: a dropped file
// of that name is loaded as a bitmap.
bool HasBmpExtension(const std::string& path);

// The name of backup number n (0..99) of a logo file. The extension of the
// file's own name (the text after its last ".") is replaced by the number:
// boot.epa gives boot.0 .. boot.99, my.logo.epa gives my.logo.0, and a name
// without an extension gets one: boot gives boot.0. Points in folder names
// never count. Probing and copying both use this one rule.
std::string BackupName(const std::string& path, int number);

// A file name as a one-line message shows it: as it is, or, when it holds a
// line break or another control character, quoted as the shell would
// ($'a\nb.epa'), so that the message stays on one line; an empty name as ''.
// Quoting a quoted name changes nothing.
std::string QuotedName(std::string_view name);

} // namespace kalvero
