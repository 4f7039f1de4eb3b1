#include "document/FileNames.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(FileNames, DefaultEpaNameCutsAtTheFirstPoint) {
    const std::pair<const char*, const char*> cases[] = {
        {"/pics/logo.bmp", "/pics/logo.epa"},
        {"/My.Pics/logo.bmp", "/My.epa"},
        {"logo.BMP", "logo.epa"},
        {"/a/logo.x.bmp", "/a/logo.epa"},
        {"/a/logo", "/a/logo.epa"},
        {"", ".epa"},
    };
    for (const auto& [bitmap, expected] : cases) {
        EXPECT_EQ(DefaultEpaName(bitmap), expected) << bitmap;
    }
}

TEST(FileNames, BackupNameReplacesTheExtensionOfTheFileName) {
    struct Case {
        const char* path;
        int number;
        const char* expected;
    };
    const Case cases[] = {
        {"/logos/boot.epa", 0, "/logos/boot.0"},
        {"/logos/boot.epa", 1, "/logos/boot.1"},
        {"/logos/boot.epa", 99, "/logos/boot.99"},
        {"/logos/boot.EPA", 7, "/logos/boot.7"},
        {"/logos/my.logo.epa", 0, "/logos/my.logo.0"},
        {"/logos/boot.e", 3, "/logos/boot.3"},
        {"/logos/boot", 0, "/logos/boot.0"},
        {"/my.logos/boot", 12, "/my.logos/boot.12"},
        {"boot.epa", 5, "boot.5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BackupName(c.path, c.number), c.expected) << c.path << " " << c.number;
    }
}

TEST(FileNames, FileTitleDropsTheFolder) {
    EXPECT_EQ(FileTitle("/home/ann/Müller Logo.epa"), "Müller Logo.epa");
    EXPECT_EQ(FileTitle("boot.epa"), "boot.epa");
    EXPECT_EQ(FileTitle("/logos/"), "");
}

} // namespace
} // namespace kalvero
