#include "shell/platform/DesktopAssociation.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::string Package = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<mime-info "
                            "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                            "  <mime-type type=\"application/x-award-epa\">\n"
                            "    <comment>Award BIOS boot logo</comment>\n"
                            "    <glob pattern=\"*.epa\"/>\n"
                            "    <glob pattern=\"*.EPA\"/>\n"
                            "  </mime-type>\n"
                            "</mime-info>\n";

// Sets an environment variable for one test and puts the old value back.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(name, value);
    }
    ~EnvironmentOverride() { Set(name_, old_); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    static void Set(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

class DesktopAssociationTest : public ::testing::Test {
protected:
    DesktopLocations where() const { return {dir.file("data"), dir.file("config")}; }
    fs::path desktopFile() const { return dir.file("data") / "applications" / "kalvero.desktop"; }
    fs::path packageFile() const {
        return dir.file("data") / "mime" / "packages" / "kalvero-epa.xml";
    }
    fs::path mimeApps() const { return dir.file("config") / "mimeapps.list"; }
    static std::string Text(const fs::path& file) {
        const auto bytes = test::ReadBytes(file);
        return {bytes.begin(), bytes.end()};
    }
    static void Store(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        test::WriteBytes(file, {text.begin(), text.end()});
    }
    Strings registerProgram(const std::string& program = "/opt/kalvero/bin/kalvero") {
        Strings shown;
        RegisterDesktopAssociation(where(), program, "kalvero",
                                   [&](const std::string& text) { shown.push_back(text); });
        return shown;
    }

    test::TempDir dir;
    // No update-mime-database unless a test provides one.
    EnvironmentOverride path{"PATH", dir.path().string()};
};

TEST_F(DesktopAssociationTest, FirstStartWritesTheTypeTheDefaultAndTheEntry) {
    EXPECT_EQ(registerProgram("/opt/My Tools/kalvero"), Strings{});
    EXPECT_EQ(Text(packageFile()), Package);
    EXPECT_EQ(Text(mimeApps()), "[Default Applications]\n"
                                "application/x-award-epa=kalvero.desktop\n");
    const std::string entry = Text(desktopFile());
    EXPECT_NE(entry.find("\nExec=\"/opt/My Tools/kalvero\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=kalvero\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-award-epa;\n"), std::string::npos) << entry;
}

TEST_F(DesktopAssociationTest, EveryStartRestoresTheFilesAndKeepsOtherDefaults) {
    Store(mimeApps(), "[Default Applications]\ntext/plain=gedit.desktop\n"
                      "application/x-award-epa=other.desktop\n");
    EXPECT_EQ(registerProgram("/old/kalvero"), Strings{});
    Store(desktopFile(), "broken");
    Store(packageFile(), "<mime-info/>");
    EXPECT_EQ(registerProgram("/new/kalvero"), Strings{});
    EXPECT_EQ(registerProgram("/new/kalvero"), Strings{});

    EXPECT_EQ(Text(packageFile()), Package);
    EXPECT_NE(Text(desktopFile()).find("\nExec=/new/kalvero %f\n"), std::string::npos);
    EXPECT_EQ(Text(mimeApps()), "[Default Applications]\ntext/plain=gedit.desktop\n"
                                "application/x-award-epa=kalvero.desktop\n");
    for (const fs::path& folder : {dir.file("data") / "applications", dir.file("config")}) {
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
            << folder << " holds a leftover temporary file";
    }
}

TEST_F(DesktopAssociationTest, EachPartThatCannotBeWrittenIsReportedInOrder) {
    const std::string extension = "Registration-Error ! [.EPA]";
    const std::string fileType = "Registration-Error ! [(standard)=EPA]";
    const std::string command = "Registration-Error ! [EPA_auto_file\\shell\\open\\command]";
    struct Case {
        const char* blockedByAFile;
        const char* blockedByAFolder;
        Strings shown;
    };
    // Files and folders in the way fail even for root, unlike permissions.
    const Case cases[] = {
        {"data/mime", nullptr, {extension}},
        {"data/mime/packages/kalvero-epa.xml", nullptr, {}},
        {nullptr, "data/mime/packages/kalvero-epa.xml", {extension}},
        {"config", nullptr, {fileType}},
        {nullptr, "config/mimeapps.list", {fileType}},
        {"data/applications", nullptr, {command}},
        {nullptr, "data/applications/kalvero.desktop", {command}},
        {"data", nullptr, {extension, command}},
    };
    for (const Case& c : cases) {
        test::TempDir fresh;
        if (c.blockedByAFile != nullptr) {
            fs::create_directories(fresh.file(c.blockedByAFile).parent_path());
            test::WriteBytes(fresh.file(c.blockedByAFile), {1});
        } else {
            fs::create_directories(fresh.file(c.blockedByAFolder));
        }
        Strings shown;
        RegisterDesktopAssociation({fresh.file("data"), fresh.file("config")}, "/usr/bin/kalvero",
                                   "kalvero",
                                   [&](const std::string& text) { shown.push_back(text); });
        EXPECT_EQ(shown, c.shown) << (c.blockedByAFile ? c.blockedByAFile : c.blockedByAFolder);
    }
}

TEST_F(DesktopAssociationTest, OversizedMimeAppsListIsLeftAloneAndReported) {
    const std::string huge = "[Default Applications]\n" + std::string(2 * 1024 * 1024, '#') + "\n";
    Store(mimeApps(), huge);
    EXPECT_EQ(registerProgram(), Strings{"Registration-Error ! [(standard)=EPA]"});
    EXPECT_EQ(Text(mimeApps()), huge);
}

TEST_F(DesktopAssociationTest, NoHomeFolderMeansNothingIsWrittenAnywhere) {
    Strings shown;
    RegisterDesktopAssociation({}, "/usr/bin/kalvero", "kalvero",
                               [&](const std::string& text) { shown.push_back(text); });
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_FALSE(fs::exists("applications"));
    EXPECT_FALSE(fs::exists("mime"));
}

TEST_F(DesktopAssociationTest, MimeCacheIsRefreshedWhenTheToolIsThere) {
    const fs::path record = dir.file("arguments");
    Store(dir.file("update-mime-database"), "#!/bin/sh\necho \"$@\" > '" + record.string() + "'\n");
    fs::permissions(dir.file("update-mime-database"), fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_EQ(registerProgram(), Strings{});
    EXPECT_EQ(Text(record), (dir.file("data") / "mime").string() + "\n");
}

TEST_F(DesktopAssociationTest, UnchangedFilesAreNotWrittenAgainNorTheCacheRebuilt) {
    // Like the real tool, the stand-in makes the type's own file in the cache.
    const fs::path runs = dir.file("runs");
    Store(dir.file("update-mime-database"), "#!/bin/sh\necho run >> '" + runs.string() +
                                                "'\n/bin/mkdir -p \"$1/application\" && /bin/touch "
                                                "\"$1/application/x-award-epa.xml\"\n");
    fs::permissions(dir.file("update-mime-database"), fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_EQ(registerProgram(), Strings{});
    const auto inode = [](const fs::path& file) {
        struct stat status {};
        ::stat(file.c_str(), &status);
        return status.st_ino;
    };
    const auto before = {inode(packageFile()), inode(desktopFile()), inode(mimeApps())};
    EXPECT_EQ(registerProgram(), Strings{});
    EXPECT_EQ(std::vector(before),
              (std::vector{inode(packageFile()), inode(desktopFile()), inode(mimeApps())}))
        << "a file was replaced by an equal one";
    EXPECT_EQ(Text(runs), "run\n");

    // A cache that lacks the type is rebuilt even when the package is as it was.
    fs::remove(dir.file("data") / "mime" / "application" / "x-award-epa.xml");
    EXPECT_EQ(registerProgram(), Strings{});
    EXPECT_EQ(Text(runs), "run\nrun\n");
}

TEST_F(DesktopAssociationTest, RealMimeDatabaseAcceptsThePackage) {
    const char* systemPath = "/usr/local/bin:/usr/bin:/bin";
    if (!fs::exists("/usr/bin/update-mime-database")) {
        GTEST_SKIP() << "shared-mime-info is not installed";
    }
    EnvironmentOverride withTools("PATH", systemPath);
    EXPECT_EQ(registerProgram(), Strings{});
    const std::string globs = Text(dir.file("data") / "mime" / "globs2");
    EXPECT_NE(globs.find(":application/x-award-epa:*.epa"), std::string::npos) << globs;
}

TEST(DesktopLocationsTest, BaseFoldersComeFromTheEnvironment) {
    struct Case {
        std::optional<std::string> data;
        std::optional<std::string> config;
        fs::path dataHome;
        fs::path configHome;
    };
    const Case cases[] = {
        {"/x/data", "/x/config", "/x/data", "/x/config"},
        {std::nullopt, std::nullopt, "/home/user/.local/share", "/home/user/.config"},
        {"", "relative/config", "/home/user/.local/share", "/home/user/.config"},
    };
    EnvironmentOverride home("HOME", "/home/user");
    for (const Case& c : cases) {
        EnvironmentOverride data("XDG_DATA_HOME", c.data);
        EnvironmentOverride config("XDG_CONFIG_HOME", c.config);
        const DesktopLocations where = DesktopLocations::FromEnvironment();
        EXPECT_EQ(where.dataHome, c.dataHome);
        EXPECT_EQ(where.configHome, c.configHome);
        EXPECT_EQ(SettingsFilePath(where), c.configHome / "kalvero" / "settings");
    }
}

} // namespace
} // namespace kalvero
