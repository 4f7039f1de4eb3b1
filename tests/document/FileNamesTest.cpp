#include "document/FileNames.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(FileNames, DefaultEpaNameCutsAtTheFirstPoint) {
    const std::pair<const char*, const char*> cases[] = {
        {"/pics/logo.bmp", "/pics/logo.epa"},
        {"/My.Pics/logo.bmp", "/My.epa"},
        {"/a/logo.x.BMP", "/a/logo.epa"},
        {"/a/logo", "/a/logo.epa"},
    };
    for (const auto& [bitmap, expected] : cases) {
        EXPECT_EQ(DefaultEpaName(bitmap), expected) << bitmap;
    }
}

TEST(FileNames, BackupNameReplacesTheExtensionOfTheFileName) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"/logos/boot.epa", 0, "/logos/boot.0"},
        {"/logos/boot.EPA", 99, "/logos/boot.99"},
        {"/logos/my.logo.epa", 7, "/logos/my.logo.7"},
        {"/my.logos/boot", 12, "/my.logos/boot.12"},
    };
    for (const auto& [path, number, expected] : cases) {
        EXPECT_EQ(BackupName(path, number), expected) << path;
    }
}

TEST(FileNames, NamesWithControlCharactersAreQuotedAsTheShellWould) {
    const std::pair<const char*, const char*> cases[] = {
        {"Grün \"x\" 'y'.epa", "Grün \"x\" 'y'.epa"},
        {"a\nb.epa", "$'a\\nb.epa'"},
        {"it's\t\\\x01\x7f\r", "$'it\\'s\\t\\\\\\x01\\x7f\\r'"},
        {"$'a\\nb.epa'", "$'a\\nb.epa'"}, // quoted once only
        {"", "''"},
    };
    for (const auto& [name, quoted] : cases) {
        EXPECT_EQ(QuotedName(name), quoted) << name;
    }
}

} // namespace
} // namespace kalvero
