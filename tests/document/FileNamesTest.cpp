#include "document/FileNames.h"

#include "document/ImageNames.h"

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

// Real images end in anything; the new one keeps the ending, and only an
// ".epa" the image's own name does not have asks for just the logo.
TEST(ImageNames, NewImageKeepsTheEndingAndEpaSavesJustTheLogo) {
    const std::tuple<const char*, const char*, const char*, bool> cases[] = {
        // image, its new name, a name chosen, just the logo (the image filter left)
        {"/roms/1011.005", "/roms/1011-new.005", "/roms/x.Epa", true},
        {"/roms/6BX.F1", "/roms/6BX-new.F1", "/roms/6BX-new.F1", false},
        {"/r.d/P5I437FM", "/r.d/P5I437FM-new", "/r.d/logo.epa", true},
        {"/roms/board.epa", "/roms/board-new.epa", "/roms/board-new.epa", false},
    };
    for (const auto& [image, proposed, chosen, justLogo] : cases) {
        EXPECT_EQ(NewImageName(image), proposed);
        EXPECT_EQ(SavesJustTheLogo(chosen, image, false), justLogo) << image;
        EXPECT_TRUE(SavesJustTheLogo(proposed, image, true)) << image;
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
