// Bad inputs and failing outputs for every file command of the editor: each
// case ends with a notice, no logo half read, no file made or left half
// written, and every existing file as it was.

#include "document/FileIo.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"
#include "support/FileKinds.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <array>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

enum class Opening { LoadEpa, LoadBmp, CommandLine };
enum class Writing { SaveEpa, SaveEpa2, ExportBmp, Backup };

const char* Name(Opening how) {
    return std::array{"Load EPA", "Load BMP", "command line"}[static_cast<int>(how)];
}

const char* Name(Writing how) {
    return std::array{"Save EPA", "EPA 2.0 save", "EPAtoBMP", "backup"}[static_cast<int>(how)];
}

constexpr Opening Openings[] = {Opening::LoadEpa, Opening::LoadBmp, Opening::CommandLine};
constexpr Writing Writings[] = {Writing::SaveEpa, Writing::SaveEpa2, Writing::ExportBmp,
                                Writing::Backup};

const std::vector<std::uint8_t> OldBytes{'o', 'l', 'd'};

constexpr Writing Outputs[] = {Writing::SaveEpa, Writing::SaveEpa2, Writing::ExportBmp};

// A target that no write may replace, made at the given path.
struct Unreplaceable {
    const char* what;
    std::function<bool(const fs::path&)> make; // false: this user cannot make it
    const char* reasonLine;
};

const char* const NotRegular = "This is not a regular file (a device, a pipe or a socket).";
const char* const Protected = "The file is write-protected.";

bool MakeProtected(const fs::path& path, fs::perms perms) {
    WriteBytes(path, OldBytes);
    fs::permissions(path, perms);
    return true;
}

constexpr fs::perms ReadOnly =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read; // 0444

const Unreplaceable Unreplaceables[] = {
    {"FIFO", MakeFifo, NotRegular},
    {"socket", MakeSocket, NotRegular},
    {"device node, a copy of /dev/null (root only)", MakeNullDeviceCopy, NotRegular},
    {"read-only file (0444)", [](const fs::path& p) { return MakeProtected(p, ReadOnly); },
     Protected},
    {"link to a read-only file",
     [](const fs::path& p) {
         fs::create_symlink("real.file", p);
         return MakeProtected(p.parent_path() / "real.file", ReadOnly);
     },
     Protected},
    {"loop of links",
     [](const fs::path& p) {
         fs::create_symlink(p.filename(), p);
         return true;
     },
     "Error: too many levels of symbolic links"},
};

long PeakMemoryKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class FileTroubleTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        quietOptions();
    }

    // No backups and no save-first questions, unless a case asks for them.
    void quietOptions() {
        ui().Backup->setChecked(false);
        ui().SaveCheck->setChecked(false);
    }

    // A file of the kind the command accepts, under name.
    QString writeInput(Opening how, const std::string& name) {
        return how == Opening::LoadBmp ? writeMonoBitmap(name, true, 3, 4)
                                       : writeLogo(name, true, 12, 0x81);
    }

    void open(Opening how, const QString& path) {
        switch (how) {
        case Opening::LoadEpa:
            dialogs.files.push_back(path);
            form().LadeEpa_Command_Click();
            break;
        case Opening::LoadBmp:
            dialogs.files.push_back(path);
            form().LadeBmp_Command_Click();
            break;
        case Opening::CommandLine:
            // As the shell hands it on: blanks and quotes without quoting.
            start(path);
            quietOptions();
            form().Form_Activate();
            break;
        }
    }

    // Nothing was taken from a file the command refused.
    void expectNothingOpened(Opening how) {
        EXPECT_TRUE(document().EpaFileName().empty()) << Name(how);
        EXPECT_FALSE(ui().SichEpa_Command->isEnabled()) << Name(how);
        EXPECT_FALSE(ui().CreateEpa->isEnabled()) << Name(how);
        EXPECT_TRUE(ui().EpaNameAnzeige->text().isEmpty()) << Name(how);
    }

    // The one notice of the case: its title and the line that tells why.
    void expectNotice(const QString& title, const QString& reasonLine, const char* what) {
        ASSERT_EQ(dialogs.messages.size(), 1U) << what;
        EXPECT_EQ(dialogs.messages[0].title, title) << what;
        EXPECT_TRUE(dialogs.messages[0].text.contains(reasonLine))
            << what << ": " << dialogs.messages[0].text.toStdString();
        dialogs.messages.clear();
    }

    // Makes the logo (or the EPA 2.0 image) that the command writes, from
    // bitmaps in the test folder.
    void prepare(Writing how) {
        if (how == Writing::SaveEpa || how == Writing::ExportBmp) {
            open(Opening::LoadBmp, writeMonoBitmap("in.bmp", true, 1, 1));
            form().CreateEpa_Click();
        } else if (how == Writing::SaveEpa2) {
            open(Opening::LoadBmp, writeColourBitmap("colour.bmp", false, 5));
        }
    }

    // Writes the prepared logo to target the way the command does; a backup
    // is made of the logo file target.
    void perform(Writing how, const QString& target) {
        if (how == Writing::Backup) {
            ui().Backup->setChecked(true);
            open(Opening::LoadEpa, target);
            return;
        }
        dialogs.files.push_back(target);
        switch (how) {
        case Writing::SaveEpa:
            form().SichEpa_Command_Click();
            break;
        case Writing::ExportBmp:
            form().EpaToBmp_Click();
            break;
        default:
            form().CreateEpa_Click();
        }
    }

    void write(Writing how, const QString& target) {
        prepare(how);
        perform(how, target);
    }

    // An empty folder out with the file the command is to replace: the logo
    // file a backup is made of, else a file of OldBytes.
    QString freshOut(Writing how) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        if (how == Writing::Backup) {
            return writeLogo("out/logo.epa", true, 1, 1);
        }
        WriteBytes(dir.file("out/old.file"), OldBytes);
        return path("out/old.file");
    }

    // What a failed write must report, by command.
    static QString FailureTitle(Writing how) {
        return how == Writing::Backup ? "No backup copy" : "Not saved";
    }

    // The length of what the command writes from the prepared logo or image.
    static std::size_t WrittenLength(Writing how) {
        return how == Writing::SaveEpa ? 2367U : how == Writing::SaveEpa2 ? 5772U : 2582U;
    }

    // The command refuses the target, which stays as it was, and the editor
    // still has what it was to write: writing it under a new name works.
    void expectRefusedAndKept(Writing how, const Unreplaceable& target) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        if (!target.make(dir.file("out/target"))) {
            std::cout << "skipped (" << target.what << "): cannot be made by this user\n";
            return;
        }
        const auto before = Snapshot(dir.file("out"));
        prepare(how);
        const std::string remembered = document().BmpFileName();
        perform(how, path("out/target"));
        const std::string what = std::string(Name(how)) + ", " + target.what;
        expectNotice("Not saved", target.reasonLine, what.c_str());
        EXPECT_EQ(Snapshot(dir.file("out")), before) << what;
        // The command can be given again: its button is still enabled.
        const QPushButton* button = how == Writing::SaveEpa    ? ui().SichEpa_Command
                                    : how == Writing::SaveEpa2 ? ui().CreateEpa
                                                               : ui().EpaToBmp;
        EXPECT_TRUE(button->isEnabled()) << what;
        if (how == Writing::ExportBmp) {
            EXPECT_EQ(document().BmpFileName(), remembered) << what;
        }
        perform(how, path("out/new"));
        EXPECT_TRUE(dialogs.messages.empty()) << what;
        EXPECT_EQ(ReadBytes(dir.file("out/new")).size(), WrittenLength(how)) << what;
    }
};

TEST_F(FileTroubleTest, InputThatCannotBeOpenedIsReportedAndNothingIsMade) {
    fs::create_directory(dir.file("folder.epa"));
    const std::string tooLong(300, 'n');
    struct Case {
        std::string name;
        const char* reasonLine;
    };
    const Case cases[] = {
        {"missing.epa", "The file or folder does not exist."},
        {"folder.epa", "This is not a file."},
        {"no-folder/logo.epa", "The file or folder does not exist."},
        {tooLong + ".epa", "Error: name too long"},
    };
    for (const Opening how : Openings) {
        for (const Case& c : cases) {
            open(how, path(c.name));
            expectNotice("File not opened", c.reasonLine, Name(how));
            expectNothingOpened(how);
        }
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.epa", "settings"}));
}

TEST_F(FileTroubleTest, EmptyAndHugeFilesAreRefusedByTheirSizeWithoutBeingRead) {
    WriteBytes(dir.file("empty"), {});
    {
        WriteBytes(dir.file("huge"), {});
        fs::resize_file(dir.file("huge"), 1ULL << 31); // sparse: no disk space taken
    }
    const long memoryBefore = PeakMemoryKb();
    for (const Opening how : Openings) {
        for (const char* name : {"empty", "huge"}) {
            const std::string size = name == std::string("empty") ? "0" : "2147483648";
            open(how, path(name));
            expectNotice(QString::fromStdString("Wrong Filesize - " + size + " bytes"),
                         how == Opening::LoadBmp ? "You need one of the following Bitmap-Formats:"
                                                 : "EPA-Filesize must be 1602 or 2367 bytes !",
                         Name(how));
            expectNothingOpened(how);
        }
    }
    EXPECT_LT(PeakMemoryKb() - memoryBefore, 256L * 1024) << "the huge file was read";
    EXPECT_EQ(fs::file_size(dir.file("huge")), 1ULL << 31);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"empty", "huge", "settings"}));
}

TEST_F(FileTroubleTest, UnusualNamesOpenAndSaveBesideThemselves) {
    // Folders without points: the EPA name proposed for a bitmap ends at the
    // first point of the whole path.
    std::string deep;
    for (int level = 0; level < 14; ++level) {
        deep += std::string(200, static_cast<char>('a' + level)) + "/";
    }
    fs::create_directories(dir.file(deep));
    const std::string names[] = {"My Logo", "Müller Logo", "-dash", "Logo \"Bios\" 'X'",
                                 deep + "deep"};
    for (const Opening how : Openings) {
        for (const std::string& name : names) {
            const std::string input = name + (how == Opening::LoadBmp ? ".bmp" : ".epa");
            const QString inputPath = writeInput(how, input);
            const std::vector<std::uint8_t> inputBytes = ReadBytes(dir.file(input));
            open(how, inputPath);
            EXPECT_TRUE(dialogs.messages.empty()) << Name(how) << " " << name;
            if (how == Opening::LoadBmp) {
                EXPECT_EQ(ui().BmpNameAnzeige->text().toStdString(), fs::path(input).filename());
                form().CreateEpa_Click();
            } else {
                EXPECT_EQ(ui().EpaNameAnzeige->text().toStdString(), fs::path(input).filename());
                EXPECT_EQ(document().CellAttribute(16, 8), 12) << Name(how) << " " << name;
            }
            const QString saved = path(name + " saved.epa");
            dialogs.files.push_back(saved);
            form().SichEpa_Command_Click();
            EXPECT_TRUE(dialogs.messages.empty()) << Name(how) << " " << name;
            EXPECT_EQ(ReadBytes(saved.toStdString()).size(), 2367U) << Name(how) << " " << name;
            EXPECT_EQ(ReadBytes(dir.file(input)), inputBytes) << Name(how) << " " << name;
            fs::remove(saved.toStdString());
            fs::remove(dir.file(input));
        }
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{std::string(200, 'a'), "settings"}));
}

TEST_F(FileTroubleTest, CommandLineNameWithALeadingDashIsAFileNotAnOption) {
    writeLogo("-logo.epa", false, 9, 0xFF);
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.path().string())));
    start("-logo.epa");
    form().Form_Activate();
    QDir::setCurrent(before);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "-logo.epa");
    EXPECT_EQ(document().CellAttribute(0, 0), 9);
}

TEST_F(FileTroubleTest, OutputThatIsAFolderIsReportedAndLeftAlone) {
    fs::create_directories(dir.file("out/target/inside"));
    for (const Writing how : Writings) {
        if (how == Writing::Backup) {
            // The backup's name is taken by a folder: the next number is used.
            writeLogo("out/logo.epa", true, 1, 1);
            fs::create_directory(dir.file("out/logo.0"));
            write(how, path("out/logo.epa"));
            EXPECT_TRUE(dialogs.messages.empty());
            EXPECT_TRUE(fs::is_regular_file(dir.file("out/logo.1")));
            continue;
        }
        write(how, path("out/target"));
        expectNotice("Not saved", "This is not a file.", Name(how));
        EXPECT_EQ(FolderEntries(dir.file("out/target")), std::vector<std::string>{"inside"});
    }
}

TEST_F(FileTroubleTest, WriteThatFailsHalfWayKeepsTheOldFileAndLeavesNothingElse) {
    IgnoreFileSizeSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    for (const Writing how : Writings) {
        const QString target = freshOut(how);
        const std::vector<std::string> before = FolderEntries(dir.file("out"));
        prepare(how);
        // Files may not grow past 1000 bytes, as on a disk that is full.
        const rlimit small{1000, saved.rlim_max};
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        perform(how, target);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
        expectNotice(FailureTitle(how), "There is no room left on the disk.", Name(how));
        EXPECT_EQ(FolderEntries(dir.file("out")), before) << Name(how);
        if (how != Writing::Backup) {
            EXPECT_EQ(ReadBytes(dir.file("out/old.file")), OldBytes) << Name(how);
        } else {
            EXPECT_NE(document().EpaFileName(), target.toStdString()) << "opened without a backup";
        }
    }
}

TEST_F(FileTroubleTest, OutputOverAnInputIsRefusedExceptSaveEpaOverItsOwnLogo) {
    // Save EPA over the logo file it came from, through a link to it: the
    // whole new logo.
    const QString logo = writeLogo("logo.epa", false, 4, 0x3C);
    fs::create_symlink("logo.epa", dir.file("soft.epa"));
    open(Opening::LoadEpa, logo);
    document().SetCellAttribute(0, 0, 14);
    dialogs.files.push_back(path("soft.epa"));
    form().SichEpa_Command_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    std::vector<std::uint8_t> bytes = ReadBytes(dir.file("logo.epa"));
    ASSERT_EQ(bytes.size(), 1602U);
    EXPECT_EQ(bytes[2], 14);
    EXPECT_EQ(bytes[3], 4);
    fs::create_hard_link(dir.file("logo.epa"), dir.file("hard.epa"));
    fs::create_symlink("in.bmp", dir.file("soft.bmp")); // the bitmap comes with prepare()

    // Every other write over a file an input came from: the logo file is
    // read again at every redraw, the loaded bitmap is the user's original.
    struct Case {
        Writing how;
        const char* target;
        const char* reasonLine;
    };
    const Case cases[] = {
        {Writing::ExportBmp, "logo.epa", "This is the logo file that is open."},
        {Writing::ExportBmp, "hard.epa", "This is the logo file that is open."},
        {Writing::ExportBmp, "soft.bmp", "This is the bitmap file that is loaded."},
        {Writing::SaveEpa, "in.bmp", "This is the bitmap file that is loaded."},
        {Writing::SaveEpa2, "colour.bmp", "This is the bitmap file that is loaded."},
    };
    for (const Case& c : cases) {
        if (c.how == Writing::ExportBmp && c.target[0] != 's') {
            open(Opening::LoadEpa, logo);
        } else {
            prepare(c.how);
        }
        const auto before = Snapshot(dir.path());
        perform(c.how, path(c.target));
        expectNotice("Not saved", c.reasonLine, c.target);
        EXPECT_EQ(Snapshot(dir.path()), before) << Name(c.how) << " " << c.target;
    }
    EXPECT_TRUE(document().Epa2Pending()) << "Create EPA offers the EPA 2.0 save again";
    EXPECT_TRUE(ui().CreateEpa->isEnabled());
}

TEST_F(FileTroubleTest, TargetThatNoWriteMayReplaceIsRefusedAndTheLogoIsKept) {
    for (const Writing how : Outputs) {
        for (const Unreplaceable& target : Unreplaceables) {
            expectRefusedAndKept(how, target);
        }
    }
    // A backup only takes a free number: a name taken by any of them is skipped.
    for (const Unreplaceable& target : Unreplaceables) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        if (!target.make(dir.file("out/logo.0"))) {
            continue;
        }
        const QString logo = writeLogo("out/logo.epa", true, 1, 1);
        write(Writing::Backup, logo);
        EXPECT_TRUE(dialogs.messages.empty()) << target.what;
        EXPECT_EQ(ReadBytes(dir.file("out/logo.1")), ReadBytes(dir.file("out/logo.epa")))
            << target.what;
    }
}

// Runs in the CTest entry that preloads the ChangeOnOpen library; elsewhere
// it is skipped.
TEST_F(FileTroubleTest, FileThatChangesAfterItsSizeWasTakenIsReported) {
    if (::dlsym(RTLD_DEFAULT, "KalveroChangeOnOpenLoaded") == nullptr) {
        GTEST_SKIP() << "needs LD_PRELOAD of the ChangeOnOpen library (its own CTest entry)";
    }
    for (const Opening how : Openings) {
        for (const char* change : {"grows-on-open", "shrinks-on-open"}) {
            // The library changes a file at its first opening only.
            const std::string name =
                std::string(change) + "-" + Name(how) + (how == Opening::LoadBmp ? ".bmp" : ".epa");
            open(how, writeInput(how, name));
            expectNotice("File not opened", "The file changed while it was read.", Name(how));
            expectNothingOpened(how);
            fs::remove(dir.file(name));
        }
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings"});
}

// Root reads and writes whatever the permissions say: these cases run as the
// user nobody in their own CTest entry, and are skipped in the root run.
class FileTroubleUnprivilegedTest : public FileTroubleTest {
protected:
    void SetUp() override {
        if (::geteuid() == 0) {
            GTEST_SKIP() << "root ignores permissions; CTest runs this again as nobody";
        }
        FileTroubleTest::SetUp();
    }
};

TEST_F(FileTroubleUnprivilegedTest, FileWithoutReadPermissionIsReported) {
    for (const Opening how : Openings) {
        const QString input = writeInput(how, "locked");
        fs::permissions(dir.file("locked"), fs::perms::none);
        open(how, input);
        expectNotice("File not opened", "Access denied.", Name(how));
        expectNothingOpened(how);
        fs::remove(dir.file("locked"));
    }
}

TEST_F(FileTroubleUnprivilegedTest, WriteProtectedFileIsRefusedAlsoToItsOwner) {
    // 0464: its group may write it, its owner may not.
    const fs::perms ownerMayNot = ReadOnly | fs::perms::group_write;
    const Unreplaceable targets[] = {
        {"read-only file (0444)", [](const fs::path& p) { return MakeProtected(p, ReadOnly); },
         Protected},
        {"file only its group may write (0464)",
         [&](const fs::path& p) { return MakeProtected(p, ownerMayNot); }, Protected},
    };
    for (const Writing how : Outputs) {
        for (const Unreplaceable& target : targets) {
            expectRefusedAndKept(how, target);
        }
    }
}

TEST_F(FileTroubleUnprivilegedTest, FolderWithoutWritePermissionKeepsItsFiles) {
    for (const Writing how : Writings) {
        const QString target = freshOut(how);
        fs::permissions(dir.file("out"), fs::perms::owner_read | fs::perms::owner_exec);
        write(how, target);
        expectNotice(FailureTitle(how), "Access denied.", Name(how));
        fs::permissions(dir.file("out"), fs::perms::owner_all);
        EXPECT_EQ(FolderEntries(dir.file("out")),
                  std::vector<std::string>{how == Writing::Backup ? "logo.epa" : "old.file"})
            << Name(how);
        if (how != Writing::Backup) {
            EXPECT_EQ(ReadBytes(dir.file("out/old.file")), OldBytes) << Name(how);
        }
    }
}

} // namespace
} // namespace kalvero::test
