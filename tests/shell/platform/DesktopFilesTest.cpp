#include "shell/platform/DesktopFiles.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvero {
namespace {

TEST(DesktopFilesTest, ProgramPathIsQuotedForTheExecKey) {
    // Quoting for the Exec arguments first, then the key file's own escapes.
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/kalvero", "/usr/bin/kalvero %f"},
        {"/opt/My Tools/kalvero", "\"/opt/My Tools/kalvero\" %f"},
        {"/opt/say \"hi\"/kalvero", "\"/opt/say \\\\\"hi\\\\\"/kalvero\" %f"},
        {"/opt/back\\slash/k", "\"/opt/back\\\\\\\\slash/k\" %f"},
        {"/opt/$HOME/k", "\"/opt/\\\\$HOME/k\" %f"},
        {"/opt/100%/k", "/opt/100%%/k %f"},
        {"/opt/50% off/k", "\"/opt/50%% off/k\" %f"},
        {"/opt/tab\there/k", "\"/opt/tab\\there/k\" %f"},
    };
    for (const auto& [path, exec] : cases) {
        const std::string entry = DesktopEntryText(path, "kalvero");
        const std::size_t start = entry.find("\nExec=") + 6;
        EXPECT_EQ(entry.substr(start, entry.find('\n', start) - start), exec) << path;
    }
}

TEST(DesktopFilesTest, DefaultOpenerIsSetAndEveryOtherLineKept) {
    const std::string ours = "application/x-award-epa=kalvero.desktop\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "[Default Applications]\n" + ours},
        {"[Added Associations]\ntext/plain=gedit.desktop;\n",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + ours},
        // Replaced in place; the other groups are not ours.
        {"# mine\n[Default Applications]\ntext/plain=gedit.desktop\n"
         "application/x-award-epa = other.desktop\nimage/png=eog.desktop\n\n"
         "[Added Associations]\napplication/x-award-epa=other.desktop;\n",
         "# mine\n[Default Applications]\ntext/plain=gedit.desktop\n" + ours +
             "image/png=eog.desktop\n\n"
             "[Added Associations]\napplication/x-award-epa=other.desktop;\n"},
        {"[Default Applications]\ntext/plain=gedit.desktop",
         "[Default Applications]\n" + ours + "text/plain=gedit.desktop\n"},
        // Repetitions are dropped, also in a repeated group.
        {"[Default Applications]\napplication/x-award-epa=a.desktop\nx=y\n"
         "application/x-award-epa=b\n[Other]\napplication/x-award-epa=o\n"
         "[Default Applications]\napplication/x-award-epa=x\n",
         "[Default Applications]\n" + ours +
             "x=y\n[Other]\napplication/x-award-epa=o\n[Default Applications]\n"},
        {"[Default Applications]\r\napplication/x-award-epa-old=x.desktop\r\n",
         "[Default Applications]\r\n" + ours + "application/x-award-epa-old=x.desktop\r\n"},
    };
    for (const auto& [existing, expected] : cases) {
        EXPECT_EQ(MimeAppsWithDefault(existing, "application/x-award-epa", "kalvero.desktop"),
                  expected)
            << existing;
    }
}

} // namespace
} // namespace kalvero
