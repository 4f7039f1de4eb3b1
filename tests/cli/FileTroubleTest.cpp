#include "cli/CliTest.h"

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

struct Conversion {
    QString command;
    std::string extension;    // of the output
    std::size_t outputLength; // made of Input(command); 0 for a PNG
};

const Conversion Conversions[] = {
    {"bmp2epa", ".epa", 2367}, {"epa2bmp", ".bmp", 2582}, {"render", ".png", 0}};

std::vector<std::uint8_t> Input(const QString& command) {
    return command == "bmp2epa" ? Bitmap(2, 126) : Logo(true);
}

using CliFileTrouble = CliTest;

TEST_F(CliFileTrouble, BadInputsAreRefusedWithoutBeingRead) {
    write("result", OldBytes);
    fs::create_directory(dir.file("folder"));
    for (const std::uint64_t length : {1743ULL, 1ULL << 31}) {
        write("in", {});
        fs::resize_file(dir.file("in"), length);
        const std::string size = std::to_string(length);
        const CliRun refused = run({"bmp2epa", "in", "result"});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.starts_with("kalvero-cli: in: Wrong Filesize - " + size +
                                            " bytes\nYou need one of the following "
                                            "Bitmap-Formats:\n"))
            << refused.err;
        EXPECT_TRUE(
            refused.err.ends_with("\n136 x 126                16             4        8686\n"))
            << refused.err;
        EXPECT_EQ(run({"render", "in", "result"}),
                  Failed("in: wrong size: " + size +
                         " bytes (neither an EPA file nor one of the four accepted bitmaps)"));
    }
    // Reading the 2 GB file would have taken 2 GB.
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 512L * 1024);
    EXPECT_EQ(run({"epa2bmp", "folder", "result"}), Failed("folder: is a folder"));
    EXPECT_EQ(run({"bmp2epa", std::string(300, 'n').c_str(), "result"}),
              Failed(std::string(300, 'n') + ": name too long"));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder", "in", "result"}));
    EXPECT_EQ(read("result"), OldBytes);
}

TEST_F(CliFileTrouble, OutputThatCannotBeWrittenLeavesEveryFileAsItWas) {
    fs::create_directories(dir.file("folder/inside"));
    write("result", OldBytes);
    const std::string tooLarge = ": not written: file too large for this disk or user limit";
    for (const auto& [command, extension, length] : Conversions) {
        write("in.x", Input(command));
        const std::string name = "in" + extension;
        fs::create_directory(dir.file("out"));
        write("out/" + name, OldBytes);
        // A limit of 64 bytes is smaller than any output.
        const std::tuple<QStringList, std::string, rlim_t> cases[] = {
            {{command, "in.x", "folder"}, "folder: not written: is a folder", 0},
            {{command, "in.x", "missing/result"},
             "missing/result: not written: folder not found",
             0},
            {{command, "--output-dir", "missing", "in.x"}, "missing: folder not found", 0},
            {{command, "in.x", "result"}, "result" + tooLarge, 64},
            {{command, "--output-dir", "out", "in.x"}, "out/" + name + tooLarge, 64},
        };
        for (const auto& [arguments, message, limit] : cases) {
            EXPECT_EQ(run(arguments, limit), Failed(message)) << arguments.join(' ').toStdString();
        }
        EXPECT_EQ(FolderEntries(dir.file("folder")), std::vector<std::string>{"inside"});
        EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{name});
        EXPECT_EQ(read("out/" + name), OldBytes);
        EXPECT_EQ(read("result"), OldBytes);
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder", "in.x", "out", "result"}));
        fs::remove_all(dir.file("out"));
    }
}

TEST_F(CliFileTrouble, InputMayBeItsOwnOutput) {
    for (const auto& [command, extension, length] : Conversions) {
        const std::string name = "same" + extension;
        write(name, Input(command));
        EXPECT_EQ(run({command, name.c_str(), name.c_str()}), Succeeded());
        if (length == 0) {
            EXPECT_EQ(png(name).width(), 136);
        } else {
            EXPECT_EQ(read(name).size(), length);
        }
        EXPECT_EQ(dir.entries(), std::vector<std::string>{name});
        fs::remove(dir.file(name));
    }
}

TEST_F(CliFileTrouble, NamesWithBlanksUmlautsAndALeadingDashWork) {
    fs::create_directory(dir.file("out"));
    write("-Grün Öl.bmp", Bitmap(2, 84));
    EXPECT_EQ(run({"bmp2epa", "--", "-Grün Öl.bmp", "-Grün Öl.epa"}), Succeeded());
    EXPECT_EQ(run({"info", "--", "-Grün Öl.epa"}),
              Succeeded("-Grün Öl.epa: EPA version 1, short logo, 136 x 84\n"));
    EXPECT_EQ(run({"render", "--output-dir", "out", "--", "-Grün Öl.epa"}), Succeeded());
    EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{"-Grün Öl.png"});
}

} // namespace
} // namespace kalvero::test
