#include "shell/platform/DesktopAssociation.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

Strings Register(const fs::path& home, const std::string& program = "/usr/bin/kalvero") {
    Strings shown;
    RegisterDesktopAssociation({home / "data", home}, program, "kalvero",
                               [&](const std::string& text) { shown.push_back(text); });
    return shown;
}

std::string Text(const fs::path& file) {
    const auto bytes = test::ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

TEST(DesktopAssociation, WritesTheFilesQuotesTheProgramAndPutsAChangedDefaultBack) {
    const test::TempDir dir;
    const std::string others = "\n[Added Associations]\napplication/x-award-epa=other.desktop;\n";
    const std::string changed = "[Default Applications]\ntext/plain=gedit.desktop\n"
                                "application/x-award-epa=other.desktop\n" +
                                others;
    test::WriteBytes(dir.file("mimeapps.list"), {changed.begin(), changed.end()});
    EXPECT_EQ(Register(dir.path(), "/opt/My \"Tools\"/kalvero"), Strings{});
    EXPECT_EQ(Text(dir.file("mimeapps.list")), "[Default Applications]\ntext/plain=gedit.desktop\n"
                                               "application/x-award-epa=kalvero.desktop\n" +
                                                   others);
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
