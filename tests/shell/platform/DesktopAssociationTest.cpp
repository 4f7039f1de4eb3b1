#include "shell/platform/DesktopAssociation.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// The user's folders below home, the system's in home/etc and home/usr, the
// desktop KDE.
DesktopLocations Locations(const fs::path& home) {
    return {home / "data", home, {home / "etc"}, {home / "usr"}, {"kde"}};
}

Strings Register(const fs::path& home, const std::string& program = "/usr/bin/kalvero") {
    Strings shown;
    RegisterDesktopAssociation(Locations(home), program, "<svg/>",
                               [&](const std::string& text) { shown.push_back(text); });
    return shown;
}

std::string Text(const fs::path& file) {
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
    EXPECT_EQ(Text(dir.file("data/mime/packages/kalvero-epa.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-award-epa\">\n"
              "    <comment>Award BIOS boot logo</comment>\n    <glob pattern=\"*.epa\"/>\n"
              "    <glob pattern=\"*.EPA\"/>\n  </mime-type>\n</mime-info>\n");
    // Quoted for Exec (\"), then escaped for the key file (\\).
    EXPECT_EQ(Text(dir.file("data/applications/kalvero.desktop")),
              "[Desktop Entry]\nType=Application\nName=Kalvero\nGenericName=Boot Logo Editor\n"
              "Comment=Edit Award BIOS boot logos (EPA files)\n"
              "Exec=\"/opt/My \\\\\"Tools\\\\\"/kalvero\" %f\nIcon=kalvero\n"
              "MimeType=application/x-award-epa;\nTerminal=false\nCategories=Graphics;\n");
    EXPECT_EQ(Text(dir.file("mimeapps.list")),
              "[Default Applications]\napplication/x-award-epa=kalvero.desktop\n");
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
    const std::string ours = "[Default Applications]\napplication/x-award-epa=kalvero.desktop\n";
    const std::string others = "[Added Associations]\napplication/x-award-epa=other.desktop;\n";
    const std::string otherDefault = "[Default Applications]\ntext/plain=gedit.desktop\n"
                                     "application/x-award-epa=other.desktop\n";
    // a mimeapps.list below the test's home, what it holds, and the user's
    // mimeapps.list afterwards ("" for none)
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"mimeapps.list", otherDefault, otherDefault},
        {"mimeapps.list", others, others + "\n" + ours},
        {"mimeapps.list", "[Default Applications]\napplication/x-award-epa=\n", ours},
        {"kde-mimeapps.list", otherDefault, ""},
        {"gnome-mimeapps.list", otherDefault, ours}, // not the current desktop
        {"etc/kde-mimeapps.list", otherDefault, ""},
        {"data/applications/mimeapps.list", otherDefault, ""},
        {"usr/applications/mimeapps.list", otherDefault, ""},
        {"usr/applications/mimeapps.list", "[Default Applications]\ntext/x-other=o.desktop\n",
         ours},
    };
    for (const auto& [file, text, afterwards] : cases) {
        const test::TempDir dir;
        WriteText(dir.file(file), text);
        EXPECT_EQ(Register(dir.path()), Strings{}) << file;
        const bool written = fs::exists(dir.file("mimeapps.list"));
        EXPECT_EQ(written ? Text(dir.file("mimeapps.list")) : "", afterwards) << file;
        EXPECT_TRUE(fs::exists(dir.file("data/applications/kalvero.desktop"))) << file;
    }
}

TEST(DesktopAssociation, EachPartThatCannotBeWrittenIsReportedInOrder) {
    const std::string e = "Registration-Error ! [.EPA]";
    const std::string f = "Registration-Error ! [(standard)=EPA]";
    const std::string c = "Registration-Error ! [EPA_auto_file\\shell\\open\\command]";
    // A file where a folder belongs, or (ending in "/") a folder where a file belongs: unlike
    // permissions, these stop root too.
    const std::pair<std::string, Strings> cases[] = {
        {"data/mime", {e}},
        {"mimeapps.list/", {f}},
        {"data/applications/kalvero.desktop/", {c}},
        {"data", {e, c}},
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

} // namespace
} // namespace kalvero
