// The editor's file commands: bad inputs end with a notice and no logo half
// read; every write goes through the file layer (whose cases are tested in
// tests/document/FileIoTest.cpp), and a failed one keeps what was to be
// written; no output replaces an input.

#include "document/FileIo.h"
#include "editor/support/SessionFixture.h"
#include "support/FileKinds.h"

#include <array>
#include <dlfcn.h>
#include <filesystem>
#include <sys/resource.h>
#include <tuple>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

enum class Writing { SaveEpa, SaveEpa2, ExportBmp, Backup };

const char* Name(Writing how) {
    return std::array{"Save EPA", "EPA 2.0 save", "EPAtoBMP", "backup"}[static_cast<int>(how)];
}

class FileTroubleTest : public SessionFixture {
protected:
    FileTroubleTest() { quiet(); }

    // The one notice of the case: its title and the line that tells why.
    void expectNotice(const std::string& title, const std::string& reasonLine,
                      const std::string& what) {
        ASSERT_EQ(dialogs.messages.size(), 1U) << what;
        EXPECT_EQ(dialogs.messages[0].title, title) << what;
        EXPECT_NE(dialogs.messages[0].text.find(reasonLine), std::string::npos)
            << what << ": " << dialogs.messages[0].text;
        dialogs.messages.clear();
    }

    // Makes the logo (or the EPA 2.0 image) that the command writes, from
    // bitmaps in the test folder.
    void prepare(Writing how) {
        if (how == Writing::SaveEpa || how == Writing::ExportBmp) {
            loadBitmap(writeMonoBitmap("in.bmp", true, 1, 1));
            session.CreateEpa_Click();
        } else if (how == Writing::SaveEpa2) {
            loadBitmap(writeColourBitmap("colour.bmp", false, 5));
        }
    }

    // Writes the prepared logo to target the way the command does; a backup
    // is made of the logo file target as Load EPA opens it.
    void perform(Writing how, const std::string& target) {
        controls().backup = how == Writing::Backup;
        run(std::array{&EditorSession::SichEpa_Command_Click, &EditorSession::CreateEpa_Click,
                       &EditorSession::EpaToBmp_Click,
                       &EditorSession::LadeEpa_Command_Click}[static_cast<int>(how)],
            target);
    }
};

// A write cut short (a file size limit of 1000 bytes, as on a full disk)
// keeps the old file and leaves nothing else: each command writes through the
// file layer. What was to be written is kept, so the command can be given
// again; the logo whose backup failed is not opened.
TEST_F(FileTroubleTest, AWriteCutShortKeepsTheOldFileAndWhatWasToBeWritten) {
    IgnoreFileSizeSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const std::vector<std::uint8_t> old{'o', 'l', 'd'};
    for (const Writing how :
         {Writing::SaveEpa, Writing::SaveEpa2, Writing::ExportBmp, Writing::Backup}) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        const bool backup = how == Writing::Backup;
        const std::string target = backup ? writeLogo("out/logo.epa", true, 1, 1) : path("out/old");
        if (!backup) {
            WriteBytes(dir.file("out/old"), old);
        }
        prepare(how);
        const rlimit small{1000, saved.rlim_max};
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        perform(how, target);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
        expectNotice(backup ? "No backup copy" : "Not saved", "There is no room left on the disk.",
                     Name(how));
        EXPECT_EQ(FolderEntries(dir.file("out")),
                  std::vector<std::string>{backup ? "logo.epa" : "old"});
        if (backup) {
            EXPECT_NE(document().EpaFileName(), target) << "opened without a backup";
        } else {
            EXPECT_EQ(ReadBytes(dir.file("out/old")), old) << Name(how);
            EXPECT_TRUE(shown().*(how == Writing::SaveEpa    ? &EditorControls::saveEnabled
                                  : how == Writing::SaveEpa2 ? &EditorControls::createEnabled
                                                             : &EditorControls::exportEnabled))
                << Name(how);
        }
    }
}

TEST_F(FileTroubleTest, OutputOverAnInputIsRefusedExceptSaveEpaOverItsOwnLogo) {
    // Save EPA over the logo file it came from, through a link to it: the
    // whole new logo.
    const std::string logo = writeLogo("logo.epa", false, 4, 0x3C);
    fs::create_symlink("logo.epa", dir.file("soft.epa"));
    load(logo);
    document().SetCellAttribute(0, 0, 14);
    save(path("soft.epa"));
    EXPECT_TRUE(dialogs.messages.empty());
    std::vector<std::uint8_t> bytes = ReadBytes(dir.file("logo.epa"));
    ASSERT_EQ(bytes.size(), 1602U);
    EXPECT_EQ(bytes[2], 14);
    EXPECT_EQ(bytes[3], 4);

    // Every other write over a file an input came from: the logo file that is
    // open, the loaded bitmap, which is the user's original.
    const std::tuple<Writing, std::string, const char*> cases[] = {
        {Writing::ExportBmp, "logo.epa", "This is the logo file that is open."},
        {Writing::SaveEpa, "in.bmp", "This is the bitmap file that is loaded."},
        {Writing::SaveEpa2, "colour.bmp", "This is the bitmap file that is loaded."},
        // The logo saved at Load BMP's question stays open.
        {Writing::SaveEpa2, "soft.epa", "This is the logo file that is open."},
    };
    for (const auto& [how, target, reasonLine] : cases) {
        if (how == Writing::ExportBmp) {
            load(logo);
        } else {
            if (target == "soft.epa") {
                controls().messages = true;
                dialogs.answers.push_back(AnswerYes);
                dialogs.files.push_back(logo);
            }
            prepare(how);
        }
        dialogs.messages.clear();
        const auto before = Snapshot(dir.path());
        perform(how, path(target));
        expectNotice("Not saved", reasonLine, target);
        EXPECT_EQ(Snapshot(dir.path()), before) << Name(how) << " " << target;
    }
    EXPECT_TRUE(document().Epa2Pending()) << "Create EPA offers the EPA 2.0 save again";
    EXPECT_TRUE(shown().createEnabled);
}

// Runs in the CTest entry that preloads the ChangeOnOpen library; elsewhere
// it is skipped.
TEST_F(FileTroubleTest, FileThatChangesAfterItsSizeWasTakenIsReported) {
    if (::dlsym(RTLD_DEFAULT, "KalveroChangeOnOpenLoaded") == nullptr) {
        GTEST_SKIP() << "needs LD_PRELOAD of the ChangeOnOpen library (its own CTest entry)";
    }
    for (const bool bitmap : {false, true}) {
        for (const char* change : {"grows-on-open", "shrinks-on-open"}) {
            // The library changes a file at its first opening only.
            const std::string name = std::string(change) + (bitmap ? ".bmp" : ".epa");
            // Load EPA with a logo (the command line opens through the same
            // code), or Load BMP with a bitmap.
            bitmap ? loadBitmap(writeMonoBitmap(name, true))
                   : load(writeLogo(name, true, 12, 0x81));
            expectNotice("File not opened", "The file changed while it was read.", name);
            EXPECT_TRUE(document().EpaFileName().empty() && shown().epaName.empty());
            EXPECT_FALSE(shown().saveEnabled || shown().createEnabled);
            fs::remove(dir.file(name));
        }
    }
    EXPECT_TRUE(dir.entries().empty());
}

} // namespace
} // namespace kalvero::test
