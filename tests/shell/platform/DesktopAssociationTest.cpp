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
    RegisterDesktopAssociation(Locations(home), program, "kalvero",
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

TEST(DesktopAssociation, BecomesTheDefaultOpenerOnlyWhereNoneIsNamed) {
    const std::string others = "[Added Associations]\napplication/x-award-epa=other.desktop;\n";
    const std::string otherDefault = "[Default Applications]\ntext/plain=gedit.desktop\n"
                                     "application/x-award-epa=other.desktop\n";
    struct Case {
        const char* file;    // below the test's home
        std::string text;    // what it holds
        std::string written; // the user's mimeapps.list afterwards, "" for none
    };
    const Case cases[] = {
        {"mimeapps.list", otherDefault, otherDefault},
        {"mimeapps.list", others,
         others + "\n[Default Applications]\napplication/x-award-epa=kalvero.desktop\n"},
        {"mimeapps.list", "[Default Applications]\napplication/x-award-epa=\n",
         "[Default Applications]\napplication/x-award-epa=kalvero.desktop\n"},
        {"kde-mimeapps.list", otherDefault, ""},
        {"etc/mimeapps.list", otherDefault, ""},
        {"etc/kde-mimeapps.list", otherDefault, ""},
        {"data/applications/mimeapps.list", otherDefault, ""},
        {"usr/applications/mimeapps.list", otherDefault, ""},
        {"gnome-mimeapps.list", otherDefault,
         "[Default Applications]\napplication/x-award-epa=kalvero.desktop\n"},
        {"etc/mimeapps.list", "[Default Applications]\napplication/x-other=other.desktop\n",
         "[Default Applications]\napplication/x-award-epa=kalvero.desktop\n"},
    };
    for (const Case& c : cases) {
        const test::TempDir dir;
        WriteText(dir.file(c.file), c.text);
        EXPECT_EQ(Register(dir.path()), Strings{}) << c.file;
        const bool exists = fs::exists(dir.file("mimeapps.list"));
        EXPECT_EQ(exists ? Text(dir.file("mimeapps.list")) : "", c.written) << c.file;
        EXPECT_TRUE(fs::exists(dir.file("data/applications/kalvero.desktop"))) << c.file;
    }
}

TEST(DesktopAssociation, FoldersAndDesktopsFromTheEnvironment) {
    const std::pair<const char*, const char*> variables[] = {
        {"HOME", "/home/u"},         {"XDG_DATA_HOME", "relative/data"},
        {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_CONFIG_DIRS", "/etc/one::relative:/etc/two"},
        {"XDG_DATA_DIRS", ""},       {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"},
    };
    std::vector<std::pair<const char*, std::optional<std::string>>> before;
    for (const auto& [name, value] : variables) {
        const char* old = std::getenv(name);
        before.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name, value, 1);
    }
    const DesktopLocations where = DesktopLocations::FromEnvironment();
    for (const auto& [name, value] : before) {
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    EXPECT_EQ(where.dataHome, "/home/u/.local/share");
    EXPECT_EQ(where.configHome, "/cfg");
    EXPECT_EQ(where.configDirs, (std::vector<fs::path>{"/etc/one", "/etc/two"}));
    EXPECT_EQ(where.dataDirs, (std::vector<fs::path>{"/usr/local/share", "/usr/share"}));
    EXPECT_EQ(where.desktops, (Strings{"ubuntu", "gnome"}));
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
