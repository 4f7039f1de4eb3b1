// The editor's file commands: bad inputs end with a notice and no logo half
// read; every write goes through the file layer (whose cases are tested in
// tests/document/FileIoTest.cpp), and a refused one keeps what was to be
// written; no output replaces an input.

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
#include <sys/resource.h>

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
        if (how == Opening::CommandLine) {
            start(path); // as the shell hands it on: blanks and quotes without quoting
            quietOptions();
            form().Form_Activate();
            return;
        }
        dialogs.files.push_back(path);
        how == Opening::LoadEpa ? form().LadeEpa_Command_Click() : form().LadeBmp_Command_Click();
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
        how == Writing::SaveEpa     ? form().SichEpa_Command_Click()
        : how == Writing::ExportBmp ? form().EpaToBmp_Click()
                                    : form().CreateEpa_Click();
    }
};

// A 2 GB file is refused by its length, never read, by every way of opening.
TEST_F(FileTroubleTest, HugeInputIsRefusedWithoutBeingRead) {
    WriteBytes(dir.file("huge"), {});
    fs::resize_file(dir.file("huge"), 1ULL << 31); // sparse: no disk space taken
    const long memoryBefore = PeakMemoryKb();
    for (const Opening how : Openings) {
        open(how, path("huge"));
        expectNotice("Wrong Filesize - 2147483648 bytes",
                     how == Opening::LoadBmp ? "You need one of the following Bitmap-Formats:"
                                             : "EPA-Filesize must be 1602 or 2367 bytes !",
                     Name(how));
        expectNothingOpened(how);
    }
    EXPECT_LT(PeakMemoryKb() - memoryBefore, 256L * 1024) << "the huge file was read";
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"huge", "settings"}));
}

TEST_F(FileTroubleTest, UnusualNamesOpenAndSaveBesideThemselves) {
    // Folders without points: the EPA name proposed for a bitmap ends at the
    // first point of the whole path.
    std::string deep;
    for (int level = 0; level < 14; ++level) {
        deep += std::string(200, static_cast<char>('a' + level)) + "/";
    }
    fs::create_directories(dir.file(deep));
    const std::string names[] = {"Müller \"Bios\" 'X'", "-dash", "line\nbreak", deep + "deep"};
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

// Each command refuses a write-protected file and keeps what it was to
// write, and a write cut short (a file size
// limit of 1000 bytes, as on a full disk) keeps the old file and leaves
// nothing: each writes through the file layer. The backup made at Load EPA
// then opens nothing.
TEST_F(FileTroubleTest, EveryWriteGoesThroughTheFileLayer) {
    IgnoreFileSizeSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    for (const Writing how : Writings) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        const QString target =
            how == Writing::Backup ? writeLogo("out/logo.epa", true, 1, 1) : path("out/old.file");
        if (how != Writing::Backup) {
            WriteBytes(dir.file("out/old.file"), OldBytes);
            fs::permissions(dir.file("out/old.file"), fs::perms::owner_read);
            prepare(how);
            perform(how, target);
            expectNotice("Not saved", "The file is write-protected.", Name(how));
            EXPECT_EQ(ReadBytes(dir.file("out/old.file")), OldBytes) << Name(how);
            // What was to be written is kept: the command can be given again.
            const QPushButton* button = how == Writing::SaveEpa    ? ui().SichEpa_Command
                                        : how == Writing::SaveEpa2 ? ui().CreateEpa
                                                                   : ui().EpaToBmp;
            EXPECT_TRUE(button->isEnabled()) << Name(how);
            fs::permissions(dir.file("out/old.file"), fs::perms::owner_all);
        }
        const std::vector<std::string> before = FolderEntries(dir.file("out"));
        prepare(how);
        const rlimit small{1000, saved.rlim_max};
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        perform(how, target);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
        expectNotice(how == Writing::Backup ? "No backup copy" : "Not saved",
                     "There is no room left on the disk.", Name(how));
        EXPECT_EQ(FolderEntries(dir.file("out")), before) << Name(how);
        if (how == Writing::Backup) {
            EXPECT_NE(document().EpaFileName(), target.toStdString()) << "opened without a backup";
        } else {
            EXPECT_EQ(ReadBytes(dir.file("out/old.file")), OldBytes) << Name(how);
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

} // namespace
} // namespace kalvero::test
