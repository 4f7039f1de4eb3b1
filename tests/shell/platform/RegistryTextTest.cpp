#include "shell/platform/RegistryText.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvero {
namespace {

using namespace std::string_literals;

// "CU:Software\Kalvero{sichern=1;@=x} CR:.EPA{}" - short enough to compare.
std::string Describe(const RegistryContents& contents) {
    std::string out;
    for (const RegistrySection& section : contents) {
        out += out.empty() ? "" : " ";
        out += (section.root == RegistryRoot::CurrentUser ? "CU:" : "CR:") + section.subKey + "{";
        const char* separator = "";
        for (const RegistryValue& value : section.values) {
            out += separator + (value.name.empty() ? "@" : value.name) + "=" + value.text;
            separator = ";";
        }
        out += "}";
    }
    return out;
}

const std::string Header = "[HKEY_CURRENT_USER\\Software\\Kalvero]\n";

TEST(RegistryTextTest, FormatEscapesQuotesBackslashesAndLineBreaks) {
    const RegistryContents contents{
        {RegistryRoot::CurrentUser, "Software\\Kalvero", {{"sichern", "1"}, {"sprache", "0"}}},
        {RegistryRoot::ClassesRoot,
         "EPA_auto_file\\shell\\open\\command",
         {{"", "C:\\Tools\\KALVERO.EXE \"%1\""}, {"odd \"name\"", "a\nb\r\0c"s}}},
    };
    const std::string text = FormatRegistryText(contents);
    EXPECT_EQ(text, "; Kalvero settings, in the layout of a registry export\n\n" + Header +
                        "\"sichern\"=\"1\"\n\"sprache\"=\"0\"\n\n"
                        "[HKEY_CLASSES_ROOT\\EPA_auto_file\\shell\\open\\command]\n"
                        "@=\"C:\\\\Tools\\\\KALVERO.EXE \\\"%1\\\"\"\n"
                        "\"odd \\\"name\\\"\"=\"a\\nb\\r\\0c\"\n");
    EXPECT_EQ(Describe(ParseRegistryText(text)), Describe(contents));
}

// Any bytes at all, and that nothing throws, are left to fuzz/SettingsTextFuzzer.cpp.
TEST(RegistryTextTest, DamagedTextIsReadAsFarAsItMakesSense) {
    const std::string Ours = "CU:Software\\Kalvero";
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF; comment\r\n  [HKEY_CURRENT_USER\\Software\\Kalvero]  \r\n"
         "; \"sichern\"=\"0\"\r\n  \"sichern\" = \"1\"\t\r\n",
         Ours + "{sichern=1}"},
        // Garbage lines between values.
        {Header + "\"sichern\"=\"1\"\nREGEDIT4\n=\"x\"\n\"\"\nsprache=1\n\"meldung\"=\"0\"\n",
         Ours + "{sichern=1;meldung=0}"},
        {"\"sichern\"=\"1\"\n" + Header, Ours + "{}"},
        // Broken key lines: the values under them are not ours.
        {Header + "\"sichern\"=\"1\"\n[HKEY_CURRENT_USER\\Software\\Other\n\"sprache\"=\"1\"\n",
         Ours + "{sichern=1}"},
        {Header + "\"sichern\"=\"1\"\nHKEY_CURRENT_USER\\Software\\Other]\n\"sprache\"=\"1\"\n",
         Ours + "{sichern=1}"},
        {"[HKEY_LOCAL_MACHINE\\Software\\Kalvero]\n\"a\"=\"1\"\n[-HKEY_CURRENT_USER\\X]\n"
         "\"b\"=\"1\"\n[HKEY_CURRENT_USER]\n\"c\"=\"1\"\n[HKEY_CURRENT_USER\\]\n\"d\"=\"1\"\n",
         ""},
        // Other kinds of value.
        {Header + "\"sichern\"=dword:00000001\n\"sprache\"=hex:31,00\n\"meldung\"=-\n"
                  "\"negativ\"=\"1\" trailing\n@=\"x\"",
         Ours + "{@=x}"},
        // Cut short inside a value and after a backslash.
        {Header + "\"sichern\"=\"1\"\n\"sprache\"=\"1", Ours + "{sichern=1}"},
        {Header + "\"sichern\"=\"1\\", Ours + "{}"},
        // Names ignore case, the last value counts.
        {Header + "\"sichern\"=\"1\"\n[hkey_current_user\\SOFTWARE\\kalvero]\n\"SICHERN\"=\"0\"\n",
         Ours + "{sichern=0}"},
        {Header + "\"sichern\"=\"1\"\n\x00\xFF\xFE[\x01\"\x80\"=\"\x00\"\n\xC3\x28\n"s +
             "\"sprache\"=\"\xFF\"\n",
         Ours + "{sichern=1;sprache=\xFF}"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Describe(ParseRegistryText(text)), expected) << text;
    }
}

} // namespace
} // namespace kalvero
