// Bad inputs and failing outputs for every command of kalvero-cli, through
// the real binary: each case ends with a message naming the file, exit status
// 1, no output made or left half written, and every existing file as it was.

#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

#include <sys/resource.h>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

const std::vector<std::uint8_t> OldBytes{'o', 'l', 'd'};

struct Conversion {
    QString command;
    std::string extension; // of the output, with its point
};

const Conversion Conversions[] = {{"bmp2epa", ".epa"}, {"epa2bmp", ".bmp"}, {"render", ".png"}};

class CliFileTrouble : public CliTest {
protected:
    // An input the command accepts: a 2-colour bitmap for bmp2epa, else a logo.
    void writeInput(const QString& command, const std::string& name) const {
        if (command == "bmp2epa") {
            TestBitmap(2, 126).save(dir.file(name));
        } else {
            TestLogo(true).save(dir.file(name));
        }
    }

    // IN OUT, or the batch form with an output folder.
    static QStringList Arguments(const QString& command, const QString& input, bool batch) {
        if (command == "info") {
            return {"info", input};
        }
        return batch ? QStringList{command, "--output-dir", "out", input}
                     : QStringList{command, input, "result"};
    }
};

TEST_F(CliFileTrouble, InputThatCannotBeReadIsReportedAndNothingIsWritten) {
    fs::create_directory(dir.file("folder.in"));
    fs::create_directory(dir.file("out"));
    const std::string tooLong(300, 'n');
    const std::pair<std::string, std::string> cases[] = {
        {"missing.in", "file not found"},
        {"folder.in", "is a folder"},
        {"no-folder/x.in", "file not found"},
        {tooLong, "name too long"},
    };
    for (const QString command : {"info", "bmp2epa", "epa2bmp", "render"}) {
        for (const auto& [name, reason] : cases) {
            for (const bool batch : {false, true}) {
                const QString input = QString::fromStdString(name);
                const CliRun result = run(Arguments(command, input, batch));
                EXPECT_EQ(result.exitCode, 1) << command.toStdString() << " " << name;
                EXPECT_EQ(result.err, "kalvero-cli: " + name + ": " + reason + "\n");
            }
        }
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.in", "out"}));
    EXPECT_TRUE(fs::is_empty(dir.file("out")));
}

TEST_F(CliFileTrouble, EmptyAndHugeInputsAreRefusedByTheirSizeWithoutBeingRead) {
    WriteBytes(dir.file("empty"), {});
    WriteBytes(dir.file("huge"), {});
    fs::resize_file(dir.file("huge"), 1ULL << 31); // sparse: no disk space taken
    for (const auto& [name, size] :
         {std::pair<std::string, std::string>{"empty", "0"}, {"huge", "2147483648"}}) {
        const std::string wrongSize =
            "wrong size: " + size +
            " bytes (neither an EPA file nor one of the four accepted bitmaps)";
        const CliRun info = run({"info", QString::fromStdString(name)});
        EXPECT_EQ(info.exitCode, 1);
        EXPECT_EQ(info.out, name + ": not accepted: " + wrongSize + "\n");

        const CliRun bmp2epa = run({"bmp2epa", QString::fromStdString(name), "out.epa"});
        EXPECT_EQ(bmp2epa.exitCode, 1);
        EXPECT_EQ(bmp2epa.err.rfind("kalvero-cli: " + name + ": Wrong Filesize - " + size +
                                        " bytes\nYou need one of the following Bitmap-Formats:",
                                    0),
                  0U)
            << bmp2epa.err;
        for (const QString command : {"epa2bmp", "render"}) {
            const CliRun result = run({command, QString::fromStdString(name), "out"});
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.err, "kalvero-cli: " + name + ": " + wrongSize + "\n");
        }
    }
    // Reading the huge file would have taken 2 GB in one of the runs.
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 512L * 1024) << "kilobytes at most in one run";
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"empty", "huge"}));
}

TEST_F(CliFileTrouble, InputThatChangesAfterItsSizeWasTakenIsReported) {
    fs::create_directory(dir.file("out"));
    CliConditions changing;
    changing.changeOnOpen = true;
    for (const Conversion& conversion : Conversions) {
        for (const char* change : {"grows-on-open", "shrinks-on-open"}) {
            const std::string name = std::string(change) + ".in";
            for (const bool batch : {false, true}) {
                writeInput(conversion.command, name);
                const CliRun result =
                    RunCli(Arguments(conversion.command, QString::fromStdString(name), batch),
                           dir.path(), changing);
                EXPECT_EQ(result.exitCode, 1) << conversion.command.toStdString() << " " << name;
                EXPECT_EQ(result.err,
                          "kalvero-cli: " + name + ": file changed while it was read\n");
            }
            fs::remove(dir.file(name));
        }
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out"});
    EXPECT_TRUE(fs::is_empty(dir.file("out")));
}

TEST_F(CliFileTrouble, QuotesUmlautsAndDashesInNames) {
    for (const Conversion& conversion : Conversions) {
        for (const std::string stem : {"Logo \"Bios\" 'X'", "Müller Logo", "-dash"}) {
            writeInput(conversion.command, stem + ".in");
            const QString output = QString::fromStdString(stem + conversion.extension);
            const CliRun result =
                run({conversion.command, "--", QString::fromStdString(stem + ".in"), output});
            EXPECT_EQ(result.exitCode, 0) << result.err;
            EXPECT_TRUE(fs::is_regular_file(dir.file(output.toStdString())));
        }
    }
}

TEST_F(CliFileTrouble, OutputThatIsAFolderIsReportedAndLeftAlone) {
    for (const Conversion& conversion : Conversions) {
        writeInput(conversion.command, "in.x");
        const std::string batchOutput = "out/in" + conversion.extension;
        fs::create_directories(dir.file(batchOutput + "/inside"));
        fs::create_directories(dir.file("result/inside"));
        for (const bool batch : {false, true}) {
            const CliRun result = run(Arguments(conversion.command, "in.x", batch));
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.err, "kalvero-cli: " + (batch ? batchOutput : "result") +
                                      ": not written: is a folder\n");
        }
        EXPECT_EQ(FolderEntries(dir.file(batchOutput)), std::vector<std::string>{"inside"});
        EXPECT_EQ(FolderEntries(dir.file("result")), std::vector<std::string>{"inside"});
        fs::remove_all(dir.file("out"));
    }
}

TEST_F(CliFileTrouble, WriteThatFailsHalfWayKeepsTheOldFileAndLeavesNothingElse) {
    CliConditions fullDisk;
    fullDisk.fileSizeLimit = 64; // bytes: smaller than any output
    for (const Conversion& conversion : Conversions) {
        writeInput(conversion.command, "in.x");
        fs::create_directory(dir.file("out"));
        const std::string batchOutput = "out/in" + conversion.extension;
        WriteBytes(dir.file(batchOutput), OldBytes);
        WriteBytes(dir.file("result"), OldBytes);
        for (const bool batch : {false, true}) {
            const CliRun result =
                RunCli(Arguments(conversion.command, "in.x", batch), dir.path(), fullDisk);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.err, "kalvero-cli: " + (batch ? batchOutput : "result") +
                                      ": not written: file too large for this disk or user "
                                      "limit\n");
        }
        EXPECT_EQ(ReadBytes(dir.file(batchOutput)), OldBytes);
        EXPECT_EQ(ReadBytes(dir.file("result")), OldBytes);
        EXPECT_EQ(FolderEntries(dir.file("out")),
                  std::vector<std::string>{"in" + conversion.extension});
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.x", "out", "result"}));
        fs::remove_all(dir.file("out"));
    }
}

TEST_F(CliFileTrouble, BatchInputMayBeItsOwnOutput) {
    const std::pair<Conversion, std::size_t> cases[] = {
        {Conversions[0], 2367}, {Conversions[1], 2582}, {Conversions[2], 0}};
    for (const auto& [conversion, length] : cases) {
        const std::string name = "same" + conversion.extension;
        writeInput(conversion.command, name);
        const CliRun result =
            run({conversion.command, "--output-dir", ".", QString::fromStdString(name)});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        if (length == 0) {
            EXPECT_EQ(LoadPng(dir.file(name)).width(), 136);
        } else {
            EXPECT_EQ(ReadBytes(dir.file(name)).size(), length);
        }
        EXPECT_EQ(dir.entries(), std::vector<std::string>{name});
        fs::remove(dir.file(name));
    }
}

class CliFileTroubleUnprivileged : public CliFileTrouble {
protected:
    void SetUp() override {
        if (const std::optional<std::string> missing = UnprivilegedRunMissing()) {
            GTEST_SKIP() << *missing;
        }
        unprivileged.unprivileged = true;
    }

    CliConditions unprivileged;
};

TEST_F(CliFileTroubleUnprivileged, InputWithoutReadPermissionIsReported) {
    fs::create_directory(dir.file("out"));
    fs::permissions(dir.file("out"), fs::perms::all); // writable for nobody too
    for (const Conversion& conversion : Conversions) {
        writeInput(conversion.command, "locked");
        fs::permissions(dir.file("locked"), fs::perms::none);
        for (const bool batch : {false, true}) {
            const CliRun result =
                RunCli(Arguments(conversion.command, "locked", batch), dir.path(), unprivileged);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.err, "kalvero-cli: locked: permission denied\n");
        }
    }
    // info needs no byte of a file whose length tells what it is.
    const CliRun info = RunCli({"info", "locked"}, dir.path(), unprivileged);
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.out, "locked: EPA version 1, tall logo, 136 x 126\n");
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
        const CliRun batch =
            RunCli(Arguments(conversion.command, "in.x", true), dir.path(), unprivileged);
        EXPECT_EQ(batch.exitCode, 1);
        EXPECT_EQ(batch.err, "kalvero-cli: " + batchOutput + ": not written: permission denied\n");
        const CliRun single =
            RunCli({conversion.command, "in.x", QString::fromStdString(batchOutput)}, dir.path(),
                   unprivileged);
        EXPECT_EQ(single.exitCode, 1);
        EXPECT_EQ(single.err, "kalvero-cli: " + batchOutput + ": not written: permission denied\n");
        fs::permissions(dir.file("out"), fs::perms::owner_all);
        EXPECT_EQ(ReadBytes(dir.file(batchOutput)), OldBytes);
        EXPECT_EQ(FolderEntries(dir.file("out")),
                  std::vector<std::string>{"in" + conversion.extension});
        fs::remove(dir.file(batchOutput));
    }
}

} // namespace
} // namespace kalvero::test
