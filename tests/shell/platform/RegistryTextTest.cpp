#include "shell/platform/RegistryText.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace kalvero {
namespace {

using namespace std::string_literals;

// "CU:Software\Kalvero{sichern=1;@=x} CR:.EPA{}" - short enough to compare.
std::string Describe(const RegistryContents& contents) {
    std::string out;
    for (const RegistrySection& section : contents) {
        out += out.empty() ? "" : " ";
        out += section.root == RegistryRoot::CurrentUser ? "CU:" : "CR:";
        out += section.subKey + "{";
        for (std::size_t i = 0; i < section.values.size(); ++i) {
            const RegistryValue& value = section.values[i];
            out += (i == 0 ? "" : ";") + (value.name.empty() ? "@" : value.name) + "=" + value.text;
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
    EXPECT_EQ(text, "; Kalvero settings, in the layout of a registry export\n"
                    "\n"
                    "[HKEY_CURRENT_USER\\Software\\Kalvero]\n"
                    "\"sichern\"=\"1\"\n"
                    "\"sprache\"=\"0\"\n"
                    "\n"
                    "[HKEY_CLASSES_ROOT\\EPA_auto_file\\shell\\open\\command]\n"
                    "@=\"C:\\\\Tools\\\\KALVERO.EXE \\\"%1\\\"\"\n"
                    "\"odd \\\"name\\\"\"=\"a\\nb\\r\\0c\"\n");
    EXPECT_EQ(Describe(ParseRegistryText(text)), Describe(contents));
}

TEST(RegistryTextTest, DamagedTextIsReadAsFarAsItMakesSense) {
    struct Case {
        const char* what;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"section without values", Header, "CU:Software\\Kalvero{}"},
        {"CRLF, blanks and comments",
         "\xEF\xBB\xBF; comment\r\n  [HKEY_CURRENT_USER\\Software\\Kalvero]  \r\n"
         "; \"sichern\"=\"0\"\r\n  \"sichern\" = \"1\"\t\r\n",
         "CU:Software\\Kalvero{sichern=1}"},
        {"garbage lines between values",
         Header + "\"sichern\"=\"1\"\nREGEDIT4\n=\"x\"\n\"\"\nsprache=1\n\"meldung\"=\"0\"\n",
         "CU:Software\\Kalvero{sichern=1;meldung=0}"},
        {"values before any key", "\"sichern\"=\"1\"\n" + Header, "CU:Software\\Kalvero{}"},
        {"key line without its closing bracket",
         Header + "\"sichern\"=\"1\"\n[HKEY_CURRENT_USER\\Software\\Other\n\"sprache\"=\"1\"\n",
         "CU:Software\\Kalvero{sichern=1}"},
        {"key line without its opening bracket",
         Header + "\"sichern\"=\"1\"\nHKEY_CURRENT_USER\\Software\\Other]\n\"sprache\"=\"1\"\n",
         "CU:Software\\Kalvero{sichern=1}"},
        {"other roots and deletions are not ours",
         "[HKEY_LOCAL_MACHINE\\Software\\Kalvero]\n\"a\"=\"1\"\n[-HKEY_CURRENT_USER\\X]\n"
         "\"b\"=\"1\"\n[HKEY_CURRENT_USER]\n\"c\"=\"1\"\n[HKEY_CURRENT_USER\\]\n\"d\"=\"1\"\n",
         ""},
        {"other kinds of value",
         Header + "\"sichern\"=dword:00000001\n\"sprache\"=hex:31,00\n\"meldung\"=-\n"
                  "\"negativ\"=\"1\" trailing\n@=\"x\"",
         "CU:Software\\Kalvero{@=x}"},
        {"truncated inside a value", Header + "\"sichern\"=\"1\"\n\"sprache\"=\"1",
         "CU:Software\\Kalvero{sichern=1}"},
        {"truncated after a backslash", Header + "\"sichern\"=\"1\\", "CU:Software\\Kalvero{}"},
        {"truncated inside the key line", Header + "\"sichern\"=\"1\"\n[HKEY_CURR",
         "CU:Software\\Kalvero{sichern=1}"},
        {"keys and names ignore case, the last value counts",
         Header + "\"sichern\"=\"1\"\n[hkey_current_user\\SOFTWARE\\kalvero]\n\"SICHERN\"=\"0\"\n",
         "CU:Software\\Kalvero{sichern=0}"},
        {"unknown escapes keep the character", Header + "\"a\"=\"\\q\\\\\\\"\"\n",
         "CU:Software\\Kalvero{a=q\\\"}"},
        {"binary junk",
         Header + "\"sichern\"=\"1\"\n\x00\xFF\xFE[\x01\"\x80\"=\"\x00\"\n\xC3\x28\n"s +
             "\"sprache\"=\"\xFF\"\n",
         "CU:Software\\Kalvero{sichern=1;sprache=\xFF}"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(ParseRegistryText(c.text)), c.expected) << c.what;
    }
}

TEST(RegistryTextTest, HugeLinesAndManyKeysAreReadQuickly) {
    const std::string longValue(1 << 20, 'x');
    const RegistryContents oneValue =
        ParseRegistryText(Header + "\"big\"=\"" + longValue + "\"\n" + std::string(1 << 20, '['));
    ASSERT_EQ(oneValue.size(), 1u);
    EXPECT_EQ(oneValue[0].values.at(0).text, longValue);

    std::string manyKeys;
    for (int i = 0; i < 50000; ++i) {
        manyKeys += "[HKEY_CLASSES_ROOT\\k" + std::to_string(i % 25000) + "]\n\"v" +
                    std::to_string(i) + "\"=\"1\"\n";
    }
    const RegistryContents many = ParseRegistryText(manyKeys);
    ASSERT_EQ(many.size(), 25000u);
    EXPECT_EQ(many[3].values.size(), 2u);
}

// Whatever the bytes, parsing never fails and what it keeps survives a
// write and a second read unchanged.
TEST(RegistryTextTest, RandomBytesParseAndRoundTrip) {
    std::mt19937 random(20240501);
    const std::string pieces[] = {Header,
                                  "[HKEY_CLASSES_ROOT\\.EPA]\n",
                                  "\"",
                                  "=",
                                  "@",
                                  "\\",
                                  "\n",
                                  "\r",
                                  "]",
                                  "[",
                                  "\"sichern\"=\"1\"\n",
                                  std::string(1, '\0'),
                                  "x",
                                  " "};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            if (random() % 4 == 0) {
                text += static_cast<char>(random() % 256);
            } else {
                text += pieces[random() % std::size(pieces)];
            }
        }
        const RegistryContents first = ParseRegistryText(text);
        const RegistryContents second = ParseRegistryText(FormatRegistryText(first));
        ASSERT_EQ(Describe(second), Describe(first)) << round;
    }
}

} // namespace
} // namespace kalvero
