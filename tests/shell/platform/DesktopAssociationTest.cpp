#include "shell/platform/DesktopAssociation.h"

#include "TextFile.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::string Package =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-award-epa\">\n    <comment>Award BIOS boot logo</comment>\n"
    "    <glob pattern=\"*.epa\"/>\n    <glob pattern=\"*.EPA\"/>\n  </mime-type>\n</mime-info>\n";
const std::string Extension = "Registration-Error ! [.EPA]";
const std::string FileType = "Registration-Error ! [(standard)=EPA]";
const std::string Command = "Registration-Error ! [EPA_auto_file\\shell\\open\\command]";

// Sets (nullopt: removes) an environment variable until the end of the scope.
struct EnvironmentOverride {
    EnvironmentOverride(const char* name, const std::optional<std::string>& value) : name(name) {
        if (const char* current = std::getenv(name)) {
            old = current;
        }
        Set(name, value);
    }
    ~EnvironmentOverride() { Set(name, old); }
    static void Set(const char* name, const std::optional<std::string>& value) {
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    const char* name;
    std::optional<std::string> old;
};

Strings Register(const DesktopLocations& where, const std::string& program = "/usr/bin/kalvero") {
    Strings shown;
    RegisterDesktopAssociation(where, program, "kalvero",
                               [&](const std::string& text) { shown.push_back(text); });
    return shown;
}

class DesktopAssociationTest : public ::testing::Test {
protected:
    // An awkward name, as it reaches update-mime-database unchanged.
    fs::path data() const { return dir.file("my \"data\" $HOME `x` \\"); }
    DesktopLocations where() const { return {data(), dir.file("config")}; }
    fs::path desktopFile() const { return data() / "applications" / "kalvero.desktop"; }
    fs::path packageFile() const { return data() / "mime/packages/kalvero-epa.xml"; }
    fs::path mimeApps() const { return dir.file("config") / "mimeapps.list"; }

    test::TempDir dir;
    // No update-mime-database unless a test provides one.
    EnvironmentOverride path{"PATH", dir.path().string()};
};

TEST_F(DesktopAssociationTest, EveryStartWritesTheTypeTheDefaultAndTheEntry) {
    using namespace std::string_literals;
    for (const std::string& kept : {""s, "text/plain=gedit.desktop\n"s}) {
        if (!kept.empty()) { // another program took the type, and our files were damaged
            test::WriteTextFile(mimeApps(), "[Default Applications]\n" + kept +
                                                "application/x-award-epa=other.desktop\n");
            test::WriteTextFile(desktopFile(), "broken");
            test::WriteTextFile(packageFile(), "<mime-info/>");
        }
        EXPECT_EQ(Register(where(), "/opt/My Tools/kalvero"), Strings{});
        EXPECT_EQ(test::ReadTextFile(packageFile()), Package);
        EXPECT_EQ(test::ReadTextFile(mimeApps()),
                  "[Default Applications]\n" + kept + "application/x-award-epa=kalvero.desktop\n");
        EXPECT_EQ(test::ReadTextFile(desktopFile()),
                  "[Desktop Entry]\nType=Application\nName=Kalvero\nGenericName=Boot Logo Editor\n"
                  "Comment=Edit Award BIOS boot logos (EPA files)\n"
                  "Exec=\"/opt/My Tools/kalvero\" %f\nIcon=kalvero\n"
                  "MimeType=application/x-award-epa;\nTerminal=false\nCategories=Graphics;\n");
    }
    for (const fs::path& folder : {data() / "applications", dir.file("config")}) {
        EXPECT_EQ(test::FolderEntries(folder).size(), 1u) << folder << " holds a leftover";
    }
}

TEST_F(DesktopAssociationTest, EachPartThatCannotBeWrittenIsReportedInOrder) {
    // Files and folders in the way fail even for root, unlike permissions.
    // A name ending in "/" is a folder.
    const std::pair<std::string, Strings> cases[] = {
        {"data/mime", {Extension}},
        {"config", {FileType}},
        {"config/mimeapps.list/", {FileType}},
        {"data/applications/kalvero.desktop/", {Command}},
        {"data", {Extension, Command}},
    };
    for (const auto& [blocked, shown] : cases) {
        test::TempDir fresh;
        if (blocked.ends_with('/')) {
            fs::create_directories(fresh.file(blocked));
        } else {
            test::WriteTextFile(fresh.file(blocked), "x");
        }
        EXPECT_EQ(Register({fresh.file("data"), fresh.file("config")}), shown) << blocked;
    }
    // No home folder: nothing is written into the working folder.
    EXPECT_EQ(Register({}), (Strings{Extension, FileType, Command}));
    EXPECT_FALSE(fs::exists("applications") || fs::exists("mime"));
}

TEST_F(DesktopAssociationTest, OversizedMimeAppsListIsLeftAloneAndReported) {
    const std::string huge = "[Default Applications]\n" + std::string(2 * 1024 * 1024, '#') + "\n";
    test::WriteTextFile(mimeApps(), huge);
    EXPECT_EQ(Register(where()), Strings{FileType});
    EXPECT_EQ(test::ReadTextFile(mimeApps()), huge);
}

TEST_F(DesktopAssociationTest, MimeCacheIsRebuiltOnlyWhenItLacksTheType) {
    // A stand-in that logs its runs and, like the real tool, makes the type's file in the cache.
    const fs::path tool = dir.file("update-mime-database");
    test::WriteTextFile(tool, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + dir.file("runs").string() +
                                  "'\n/bin/mkdir -p \"$1/application\" && /bin/touch "
                                  "\"$1/application/x-award-epa.xml\"\n");
    fs::permissions(tool, fs::perms::owner_exec, fs::perm_options::add);
    const std::string run = (data() / "mime").string() + "\n";
    EXPECT_EQ(Register(where()), Strings{});
    EXPECT_EQ(Register(where()), Strings{});
    EXPECT_EQ(test::ReadTextFile(dir.file("runs")), run);
    fs::remove(data() / "mime/application/x-award-epa.xml"); // the cache lost the type
    EXPECT_EQ(Register(where()), Strings{});
    EXPECT_EQ(test::ReadTextFile(dir.file("runs")), run + run);
}

TEST(DesktopLocationsTest, BaseFoldersComeFromTheEnvironment) {
    using Variable = std::optional<std::string>;
    const std::tuple<Variable, Variable, fs::path, fs::path> cases[] = {
        {"/x/data", "/x/config", "/x/data", "/x/config"},
        {std::nullopt, std::nullopt, "/home/u/.local/share", "/home/u/.config"},
        {"", "relative/config", "/home/u/.local/share", "/home/u/.config"}, // both invalid
    };
    EnvironmentOverride home("HOME", "/home/u");
    for (const auto& [data, config, dataHome, configHome] : cases) {
        EnvironmentOverride dataVariable("XDG_DATA_HOME", data);
        EnvironmentOverride configVariable("XDG_CONFIG_HOME", config);
        const DesktopLocations where = DesktopLocations::FromEnvironment();
        EXPECT_EQ(where.dataHome, dataHome);
        EXPECT_EQ(where.configHome, configHome);
        EXPECT_EQ(SettingsFilePath(where), configHome / "kalvero" / "settings");
    }
}

} // namespace
} // namespace kalvero
