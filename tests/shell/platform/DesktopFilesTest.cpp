#include "shell/platform/DesktopFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kalvero {
namespace {

// Reads an Exec value back the way a desktop environment does: first the key
// file's escapes, then the quoting of arguments, then %% as a literal %.
std::vector<std::string> SplitExec(const std::string& value) {
    std::string unescaped;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            unescaped += next == 's'   ? ' '
                         : next == 'n' ? '\n'
                         : next == 't' ? '\t'
                         : next == 'r' ? '\r'
                                       : next;
        } else {
            unescaped += value[i];
        }
    }
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (std::size_t i = 0; i < unescaped.size(); ++i) {
        const char c = unescaped[i];
        if (quoted && c == '\\' && i + 1 < unescaped.size()) {
            current += unescaped[++i];
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) {
                arguments.push_back(current);
            }
            current.clear();
            any = false;
        } else if (c == '%' && i + 1 < unescaped.size() && unescaped[i + 1] == '%') {
            current += unescaped[++i];
            any = true;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) {
        arguments.push_back(current);
    }
    return arguments;
}

std::string ExecLine(const std::string& entry) {
    const std::size_t start = entry.find("\nExec=") + 6;
    return entry.substr(start, entry.find('\n', start) - start);
}

TEST(DesktopFilesTest, ProgramPathIsQuotedForTheExecKey) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/kalvero", "/usr/bin/kalvero %f"},
        {"/opt/My Tools/kalvero", "\"/opt/My Tools/kalvero\" %f"},
        {"/opt/say \"hi\"/kalvero", "\"/opt/say \\\\\"hi\\\\\"/kalvero\" %f"},
        {"/opt/back\\slash/k", "\"/opt/back\\\\\\\\slash/k\" %f"},
        {"/opt/$HOME/k", "\"/opt/\\\\$HOME/k\" %f"},
        {"/opt/`id`/k", "\"/opt/\\\\`id\\\\`/k\" %f"},
        {"/opt/100%/k", "/opt/100%%/k %f"},
        {"/opt/50% off/k", "\"/opt/50%% off/k\" %f"},
        {"/opt/it's (new)/k", "\"/opt/it's (new)/k\" %f"},
        {"/opt/a=b;c/k", "\"/opt/a=b;c/k\" %f"},
        {"/opt/tab\there/k", "\"/opt/tab\\there/k\" %f"},
        {"/opt/Ärger ~/k", "\"/opt/Ärger ~/k\" %f"},
    };
    for (const auto& [path, exec] : cases) {
        const std::string value = ExecLine(DesktopEntryText(path, "kalvero"));
        EXPECT_EQ(value, exec) << path;
        EXPECT_EQ(SplitExec(value), (std::vector<std::string>{path, "%f"})) << path;
    }
}

TEST(DesktopFilesTest, DesktopEntryNamesTheProgramTypeAndIcon) {
    EXPECT_EQ(DesktopEntryText("/opt/kalvero/bin/kalvero", "/opt/kalvero/share/kalvero.svg"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Kalvero\n"
              "GenericName=Boot Logo Editor\n"
              "Comment=Edit Award BIOS boot logos (EPA files)\n"
              "Exec=/opt/kalvero/bin/kalvero %f\n"
              "Icon=/opt/kalvero/share/kalvero.svg\n"
              "MimeType=application/x-award-epa;\n"
              "Terminal=false\n"
              "Categories=Graphics;\n");
}

TEST(DesktopFilesTest, DefaultOpenerIsSetAndEveryOtherLineKept) {
    const std::string ours = "application/x-award-epa=kalvero.desktop\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "[Default Applications]\n" + ours},
        {"[Added Associations]\ntext/plain=gedit.desktop;\n",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + ours},
        {"# mine\n[Default Applications]\ntext/plain=gedit.desktop\n"
         "application/x-award-epa = other.desktop\nimage/png=eog.desktop\n\n"
         "[Added Associations]\napplication/x-award-epa=other.desktop;\n",
         "# mine\n[Default Applications]\ntext/plain=gedit.desktop\n" + ours +
             "image/png=eog.desktop\n\n"
             "[Added Associations]\napplication/x-award-epa=other.desktop;\n"},
        {"[Default Applications]\ntext/plain=gedit.desktop",
         "[Default Applications]\n" + ours + "text/plain=gedit.desktop\n"},
        {"[Default Applications]\napplication/x-award-epa=a.desktop\nx=y\n"
         "application/x-award-epa=b.desktop\n",
         "[Default Applications]\n" + ours + "x=y\n"},
        {"[Default Applications]\na=b\n[Other]\napplication/x-award-epa=o\n"
         "[Default Applications]\napplication/x-award-epa=x\n",
         "[Default Applications]\na=b\n[Other]\napplication/x-award-epa=o\n"
         "[Default Applications]\n" +
             ours},
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
