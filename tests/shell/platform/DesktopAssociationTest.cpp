#include "shell/platform/DesktopAssociation.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::string OurDefault = "[Default Applications]\napplication/x-award-epa=kalvero.desktop\n";

// The user's folders below home, the system's in home/etc and home/usr, the
// desktop KDE.
Strings Register(const fs::path& home, const std::string& program = "/usr/bin/kalvero") {
    Strings shown;
    RegisterDesktopAssociation({home / "data", home, {home / "etc"}, {home / "usr"}, {"kde"}},
                               program, "<svg/>",
                               [&](const std::string& text) { shown.push_back(text); });
    return shown;
}

std::string Text(const fs::path& file) {
    if (!fs::exists(file)) {
        return "";
    }
    const auto bytes = test::ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    test::WriteBytes(file, {text.begin(), text.end()});
}

TEST(DesktopAssociation, WritesTheTypeAndTheEntryAndQuotesTheProgram) {
    const test::TempDir dir;
    EXPECT_EQ(Register(dir.path(), "/opt/My \"Tools\"/kalvero"), Strings{});
    EXPECT_NE(Text(dir.file("data/mime/packages/kalvero-epa.xml"))
                  .find("<mime-type type=\"application/x-award-epa\">"),
              std::string::npos);
    // Quoted for Exec (\"), then escaped for the key file (\\).
    EXPECT_NE(Text(dir.file("data/applications/kalvero.desktop"))
                  .find("\nExec=\"/opt/My \\\\\"Tools\\\\\"/kalvero\" %f\nIcon=kalvero\n"
                        "MimeType=application/x-award-epa;\n"),
              std::string::npos);
    EXPECT_EQ(Text(dir.file("mimeapps.list")), OurDefault);
}

TEST(DesktopAssociation, TheIconComesAlongAndAnEntryTheUserEditedStays) {
    const test::TempDir dir;
    const fs::path entry = dir.file("data/applications/kalvero.desktop");
    EXPECT_EQ(Register(dir.path(), "/build/bin/kalvero"), Strings{});
    EXPECT_EQ(Text(dir.file("data/icons/hicolor/scalable/apps/kalvero.svg")), "<svg/>");
    Register(dir.path(), "/usr/bin/kalvero"); // ours, for a program that moved
    EXPECT_NE(Text(entry).find("\nExec=/usr/bin/kalvero %f\n"), std::string::npos);
    const std::string edited = Text(entry) + "NoDisplay=true\n";
    WriteText(entry, edited);
    Register(dir.path(), "/opt/kalvero");
    EXPECT_EQ(Text(entry), edited);
}

TEST(DesktopAssociation, BecomesTheDefaultOpenerOnlyWhereNoneIsNamed) {
    const std::string others = "[Added Associations]\napplication/x-award-epa=other.desktop;\n";
    const std::string otherDefault = "[Default Applications]\ntext/plain=gedit.desktop\n"
                                     "application/x-award-epa=other.desktop\n";
    // a mimeapps.list below the test's home, what it holds, and the user's
    // mimeapps.list afterwards ("" for none)
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"mimeapps.list", otherDefault, otherDefault},
        {"mimeapps.list", others, others + "\n" + OurDefault},
        {"mimeapps.list", "[Default Applications]\napplication/x-award-epa=\n", OurDefault},
        {"kde-mimeapps.list", otherDefault, ""},
        {"gnome-mimeapps.list", otherDefault, OurDefault}, // not the current desktop
        {"etc/kde-mimeapps.list", otherDefault, ""},
        {"data/applications/mimeapps.list", otherDefault, ""},
        {"usr/applications/mimeapps.list", otherDefault, ""},
    };
    for (const auto& [file, text, afterwards] : cases) {
        const test::TempDir dir;
        WriteText(dir.file(file), text);
        EXPECT_EQ(Register(dir.path()), Strings{}) << file;
        EXPECT_EQ(Text(dir.file("mimeapps.list")), afterwards) << file;
    }
}

// A file where a folder belongs, or (ending in "/") a folder where a file
// belongs: unlike permissions, these stop root too.
TEST(DesktopAssociation, EachPartThatCannotBeWrittenIsReportedInOrder) {
    const std::pair<std::string, Strings> cases[] = {
        {"mimeapps.list/", {"Registration-Error ! [(standard)=EPA]"}},
        {"data",
         {"Registration-Error ! [.EPA]",
          "Registration-Error ! [EPA_auto_file\\shell\\open\\command]"}},
    };
    for (const auto& [blocked, shown] : cases) {
        const test::TempDir dir;
        fs::create_directories(dir.file(blocked).parent_path());
        if (!blocked.ends_with('/')) {
            test::WriteBytes(dir.file(blocked), {'x'});
        }
        EXPECT_EQ(Register(dir.path()), shown) << blocked;
    }
}

// A mimeapps.list kept among the user's own files and linked into place is
// read and written through the link.
TEST(DesktopAssociation, ListKeptAsALinkIsWrittenThroughIt) {
    const test::TempDir dir;
    WriteText(dir.file("dotfiles/mimeapps.list"), "[Default Applications]\ntext/plain=g.desktop\n");
    fs::create_directories(dir.file("home"));
    fs::create_symlink("../dotfiles/mimeapps.list", dir.file("home/mimeapps.list"));
    EXPECT_EQ(Register(dir.file("home")), Strings{});
    EXPECT_EQ(fs::read_symlink(dir.file("home/mimeapps.list")), "../dotfiles/mimeapps.list");
    EXPECT_EQ(Text(dir.file("dotfiles/mimeapps.list")),
              "[Default Applications]\napplication/x-award-epa=kalvero.desktop\n"
              "text/plain=g.desktop\n");
}

} // namespace
} // namespace kalvero
