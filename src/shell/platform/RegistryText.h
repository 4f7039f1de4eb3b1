#pragma once

#include "shell/platform/Registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

struct RegistryValue {
    std::string name; // "" is the key's default value
    std::string text;
};

struct RegistrySection {
    RegistryRoot root;
    std::string subKey;
    std::vector<RegistryValue> values; // in the order they were first written
};

using RegistryContents = std::vector<RegistrySection>;

// Reads the text of a registry file as far as it makes sense: lines that do
// not parse are skipped, and so are the values under a broken key line.
// Never throws on any bytes; linear in the length of the text.
RegistryContents ParseRegistryText(std::string_view text);

// The text ParseRegistryText reads back, in the layout of a registry export:
//   [HKEY_CURRENT_USER\Software\Kalvero]
//   "sichern"="1"
//   @="the default value"
// with \\, \", \n, \r and \0 escaped inside quotes.
std::string FormatRegistryText(const RegistryContents& contents);

// Key and value names compare as the registry compares them, ignoring the
// case of ASCII letters.
bool SameRegistryName(std::string_view a, std::string_view b);

RegistrySection* FindSection(RegistryContents& contents, RegistryRoot root,
                             std::string_view subKey);

} // namespace kalvero
