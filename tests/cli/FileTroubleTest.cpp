// Bad inputs and failing outputs for every command of kalvero-cli, through
// the real binary: each case ends with a message naming the file, exit status
// 1, no output made or left half written, and every existing file as it was.

#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

const std::vector<std::uint8_t> OldBytes{'o', 'l', 'd'};

struct Conversion {
    QString command;
    std::string extension;    // of the output, with its point
    std::size_t outputLength; // made of writeInput's file; 0 for a PNG
};

const Conversion Conversions[] = {
    {"bmp2epa", ".epa", 2367}, {"epa2bmp", ".bmp", 2582}, {"render", ".png", 0}};

class CliFileTrouble : public CliTest {
protected:
    // An input the command accepts: a 2-colour bitmap for bmp2epa, else a logo.
    void writeInput(const QString& command, const std::string& name) const {
        WriteBytes(dir.file(name),
                   command == "bmp2epa" ? TestBitmap(2, 126).bytes() : TestLogo(true).bytes());
    }

    // IN result, or the batch form with the output folder out.
    static QStringList Arguments(const QString& command, const std::string& input, bool batch) {
        const QString in = QString::fromStdString(input);
        if (command == "info") {
            return {"info", in};
        }
        return batch ? QStringList{command, "--output-dir", "out", in}
                     : QStringList{command, in, "result"};
    }
};

TEST_F(CliFileTrouble, InputThatCannotBeReadIsReportedAndNothingIsWritten) {
    fs::create_directory(dir.file("folder.in"));
    fs::create_directory(dir.file("out"));
    WriteBytes(dir.file("result"), OldBytes);
    const std::pair<std::string, std::string> cases[] = {
        {"missing.in", "file not found"},
        {"folder.in", "is a folder"},
        {"no-folder/x.in", "file not found"},
        {std::string(300, 'n'), "name too long"},
    };
    for (const QString command : {"info", "bmp2epa", "epa2bmp", "render", "import"}) {
        for (const auto& [name, reason] : cases) {
            for (const bool batch : {false, true}) {
                EXPECT_EQ(run(Arguments(command, name, batch)), Failed(name + ": " + reason))
                    << command.toStdString();
            }
        }
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.in", "out", "result"}));
    EXPECT_TRUE(fs::is_empty(dir.file("out")));
    EXPECT_EQ(ReadBytes(dir.file("result")), OldBytes);
}

// Empty, next to an accepted size, and 2 GB (sparse: no disk space taken).
TEST_F(CliFileTrouble, InputsOfAWrongSizeAreRefusedWithoutBeingRead) {
    WriteBytes(dir.file("result"), OldBytes);
    for (const std::uint64_t length : {0ULL, 1741ULL, 1743ULL, 5829ULL, 8687ULL, 1ULL << 31}) {
        WriteBytes(dir.file("in"), {});
        fs::resize_file(dir.file("in"), length);
        const std::string size = std::to_string(length);
        // bmp2epa gives the editor's refusal.
        EXPECT_EQ(run({"bmp2epa", "in", "result"}),
                  Failed("in: Wrong Filesize - " + size +
                         " bytes\n"
                         "You need one of the following Bitmap-Formats:\n"
                         "\n"
                         "Width x Height:    Colors:  Pixeldepth:  Size:\n"
                         "    (pixel)                                 (bit)      (bytes)\n"
                         "136 x   84                 2              1        1742\n"
                         "136 x 126                 2              1        2582\n"
                         "136 x   84                16             4        5830\n"
                         "136 x 126                16             4        8686"));
        const std::string wrongSize =
            "wrong size: " + size +
            " bytes (neither an EPA file nor one of the four accepted bitmaps)";
        EXPECT_EQ(run({"info", "in"}), (CliRun{1, "in: not accepted: " + wrongSize + "\n", ""}));
        for (const QString command : {"epa2bmp", "render"}) {
            EXPECT_EQ(run({command, "in", "result"}), Failed("in: " + wrongSize));
        }
    }
    // Reading the 2 GB file would have taken 2 GB in one of the runs.
    EXPECT_LT(PeakRunMemoryKilobytes(), 512L * 1024);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in", "result"}));
    EXPECT_EQ(ReadBytes(dir.file("result")), OldBytes);
}

TEST_F(CliFileTrouble, InputThatChangesAfterItsSizeWasTakenIsReported) {
    fs::create_directory(dir.file("out"));
    for (const Conversion& conversion : Conversions) {
        for (const std::string name : {"grows-on-open.in", "shrinks-on-open.in"}) {
            for (const bool batch : {false, true}) {
                writeInput(conversion.command, name);
                EXPECT_EQ(run(Arguments(conversion.command, name, batch), {.changeOnOpen = true}),
                          Failed(name + ": file changed while it was read"))
                    << conversion.command.toStdString();
            }
            fs::remove(dir.file(name));
        }
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out"});
    EXPECT_TRUE(fs::is_empty(dir.file("out")));
}

TEST_F(CliFileTrouble, UnusualNamesWork) {
    fs::path deep = dir.path();
    for (int level = 0; level < 8; ++level) {
        deep /= std::string(200, static_cast<char>('a' + level));
    }
    fs::create_directories(deep);
    const std::string stems[] = {"my logo", "Grün Öl ß", "Logo \"Bios\" 'X'",
                                 "-dash",   "--help",    (deep / std::string(240, 'n')).string()};
    ASSERT_GT(stems[5].size(), 1800U);
    for (const Conversion& conversion : Conversions) {
        fs::create_directory(dir.file("out"));
        QStringList batch{conversion.command, "--output-dir", "out", "--"};
        for (const std::string& stem : stems) {
            const std::string output = stem + conversion.extension;
            writeInput(conversion.command, stem + ".in");
            EXPECT_EQ(run({conversion.command, "--", QString::fromStdString(stem + ".in"),
                           QString::fromStdString(output)}),
                      Succeeded());
            EXPECT_TRUE(fs::is_regular_file(dir.file(output))) << output;
            batch << QString::fromStdString(stem + ".in");
        }
        EXPECT_EQ(run(batch), Succeeded());
        EXPECT_EQ(FolderEntries(dir.file("out")).size(), std::size(stems));
        fs::remove_all(dir.file("out"));
    }
    EXPECT_EQ(run({"info", "--", "-dash.epa", "Grün Öl ß.epa"}),
              Succeeded("-dash.epa: EPA version 1, tall logo, 136 x 126\n"
                        "Grün Öl ß.epa: EPA version 1, tall logo, 136 x 126\n"));
}

TEST_F(CliFileTrouble, OutputThatCannotBeWrittenLeavesEveryFileAsItWas) {
    for (const Conversion& conversion : Conversions) {
        writeInput(conversion.command, "in.x");
        const std::string name = "in" + conversion.extension;
        fs::create_directories(dir.file("folder/inside"));
        fs::create_directories(dir.file("taken/" + name + "/inside"));
        fs::create_directory(dir.file("out"));
        WriteBytes(dir.file("out/" + name), OldBytes);
        WriteBytes(dir.file("result"), OldBytes);
        const QString command = conversion.command;
        const std::string tooLarge = ": not written: file too large for this disk or user limit";
        // No file may grow past 64 bytes: smaller than any output.
        const CliConditions fullDisk{.fileSizeLimit = 64};
        struct Case {
            QStringList arguments;
            std::string message;
            CliConditions conditions = {};
        };
        const Case cases[] = {
            {{command, "in.x", "folder"}, "folder: not written: is a folder"},
            {{command, "--output-dir", "taken", "in.x"},
             "taken/" + name + ": not written: is a folder"},
            {{command, "in.x", "missing/result"}, "missing/result: not written: folder not found"},
            // A missing output folder stops the batch before any input.
            {{command, "--output-dir", "missing", "no such input"}, "missing: folder not found"},
            {{command, "in.x", "result"}, "result" + tooLarge, fullDisk},
            {{command, "--output-dir", "out", "in.x"}, "out/" + name + tooLarge, fullDisk},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(run(c.arguments, c.conditions), Failed(c.message));
        }
        EXPECT_EQ(FolderEntries(dir.file("folder")), std::vector<std::string>{"inside"});
        EXPECT_EQ(FolderEntries(dir.file("taken/" + name)), std::vector<std::string>{"inside"});
        EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{name});
        EXPECT_EQ(ReadBytes(dir.file("out/" + name)), OldBytes);
        EXPECT_EQ(ReadBytes(dir.file("result")), OldBytes);
        EXPECT_EQ(dir.entries(),
                  (std::vector<std::string>{"folder", "in.x", "out", "result", "taken"}));
        fs::remove_all(dir.file("out"));
        fs::remove_all(dir.file("taken"));
    }
}

TEST_F(CliFileTrouble, InputMayBeItsOwnOutput) {
    for (const Conversion& conversion : Conversions) {
        const std::string name = "same" + conversion.extension;
        const QString same = QString::fromStdString(name);
        for (const QStringList& arguments :
             {QStringList{conversion.command, same, same},
              QStringList{conversion.command, "--output-dir", ".", same}}) {
            writeInput(conversion.command, name);
            EXPECT_EQ(run(arguments), Succeeded());
            if (conversion.outputLength == 0) {
                EXPECT_EQ(LoadPng(dir.file(name)).width(), 136);
            } else {
                EXPECT_EQ(ReadBytes(dir.file(name)).size(), conversion.outputLength);
            }
            EXPECT_EQ(dir.entries(), std::vector<std::string>{name});
        }
        fs::remove(dir.file(name));
    }
}

class CliFileTroubleUnprivileged : public CliFileTrouble {
protected:
    void SetUp() override {
        if (const std::optional<std::string> missing = UnprivilegedRunMissing()) {
            GTEST_SKIP() << *missing;
        }
    }

    static constexpr CliConditions Unprivileged{.unprivileged = true};
};

TEST_F(CliFileTroubleUnprivileged, InputWithoutReadPermissionIsReported) {
    fs::create_directory(dir.file("out"));
    fs::permissions(dir.file("out"), fs::perms::all); // writable for nobody too
    for (const Conversion& conversion : Conversions) {
        writeInput(conversion.command, "locked");
        fs::permissions(dir.file("locked"), fs::perms::none);
        for (const bool batch : {false, true}) {
            EXPECT_EQ(run(Arguments(conversion.command, "locked", batch), Unprivileged),
                      Failed("locked: permission denied"));
        }
    }
    // info needs no byte of a file whose length tells what it is.
    EXPECT_EQ(run({"info", "locked"}, Unprivileged),
              Succeeded("locked: EPA version 1, tall logo, 136 x 126\n"));
    EXPECT_TRUE(fs::is_empty(dir.file("out")));
}

TEST_F(CliFileTroubleUnprivileged, FolderWithoutWritePermissionKeepsItsFiles) {
    fs::create_directory(dir.file("out"));
    for (const Conversion& conversion : Conversions) {
        writeInput(conversion.command, "in.x");
        const std::string batchOutput = "out/in" + conversion.extension;
        WriteBytes(dir.file(batchOutput), OldBytes);
        fs::permissions(dir.file("out"), fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
        for (const QStringList& arguments :
             {Arguments(conversion.command, "in.x", true),
              QStringList{conversion.command, "in.x", QString::fromStdString(batchOutput)}}) {
            EXPECT_EQ(run(arguments, Unprivileged),
                      Failed(batchOutput + ": not written: permission denied"));
        }
        fs::permissions(dir.file("out"), fs::perms::owner_all);
        EXPECT_EQ(ReadBytes(dir.file(batchOutput)), OldBytes);
        EXPECT_EQ(FolderEntries(dir.file("out")),
                  std::vector<std::string>{"in" + conversion.extension});
        fs::remove(dir.file(batchOutput));
    }
}

} // namespace
} // namespace kalvero::test
