// The file layer's cases are tested in tests/document/FileIoTest.cpp; these
// show that every command writes through it, and test what kalvero-cli adds:
// which files are its inputs, standard input and output, and its messages.

#include "bios/SyntheticImage.h"
#include "cli/CliTest.h"

#include <pty.h>
#include <unistd.h>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

// A command that writes one output: IN OUT, and --output-dir DIR IN where it
// makes a batch. bios replace takes its new logo from logo.epa.
struct Conversion {
    Arguments command;
    std::string extension;      // of the output
    bool batch;                 // takes --output-dir
    std::string sameFileAdvice; // after "same file as ..."
};

const Conversion Conversions[] = {
    {{"bmp2epa"}, ".epa", true, ""},
    {{"epa2bmp"}, ".bmp", true, ""},
    {{"render"}, ".png", true, ""},
    {{"bios", "extract"}, ".epa", true, ""},
    {{"bios", "replace"},
     ".bin",
     false,
     ": name a new file for the new image, and keep the old image to flash back"},
};

class CliFileTrouble : public CliTest {
protected:
    // The inputs of the conversion: in.x, and logo.epa for bios replace.
    void writeInputs(const Conversion& conversion) const {
        write("in.x", conversion.command[0] == "bios"      ? Build(LayoutA()).bytes
                      : conversion.command[0] == "bmp2epa" ? Bitmap(2, 126)
                                                           : Logo(true));
        write("logo.epa", EpaLogo(false, 5));
    }
};

Arguments Single(const Conversion& conversion, const std::string& in, const std::string& out) {
    Arguments arguments = conversion.command;
    arguments.push_back(in);
    if (conversion.command.back() == "replace") {
        arguments.push_back("logo.epa");
    }
    arguments.push_back(out);
    return arguments;
}

// One case of each kind of refusal, for every command, alone and in a batch:
// the message names the output, and every file stays as it was (a write cut
// short leaves the old file and no temporary one: the write is atomic).
TEST_F(CliFileTrouble, EveryCommandWritesThroughTheFileLayer) {
    const std::string notRegular = "not written: not a regular file (- writes to standard output)";
    struct Case {
        std::string output;
        std::string reason;
        bool windowsToo = false;
        mode_t mode = 0644;
        rlim_t fileSizeLimit = 0;
    };
    const Case cases[] = {
        {"old.x", "not written: is write-protected", false, 0444},
        {"old.x", "not written: file too large for this disk or user limit", false, 0644, 64},
        {"missing/out.x", "not written: folder not found", true},
        {"/dev/stdout", notRegular}, // a pipe here: it was "folder not found"
    };
    for (const Conversion& conversion : Conversions) {
        writeInputs(conversion);
        for (const Case& c : cases) {
            if (CliProcess::UnderWine() && !c.windowsToo) {
                continue;
            }
            write("old.x", OldBytes);
            fs::permissions(dir.file("old.x"), static_cast<fs::perms>(c.mode));
            const Arguments arguments = Single(conversion, "in.x", c.output);
            EXPECT_EQ(run(arguments, {.fileSizeLimit = c.fileSizeLimit}),
                      Failed(c.output + ": " + c.reason))
                << Joined(arguments);
            EXPECT_EQ(read("old.x"), OldBytes) << Joined(arguments);
            EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.x", "logo.epa", "old.x"}));
            fs::remove(dir.file("old.x"));
        }
        if (conversion.batch && !CliProcess::UnderWine()) {
            const std::string fifo = "out/in" + conversion.extension;
            fs::create_directory(dir.file("out"));
            ASSERT_EQ(::mkfifo(dir.file(fifo).c_str(), 0644), 0);
            Arguments batch = conversion.command;
            batch.insert(batch.end(), {"--output-dir", "out", "in.x"});
            EXPECT_EQ(run(batch), Failed(fifo + ": " + notRegular)) << Joined(batch);
            EXPECT_TRUE(fs::is_fifo(dir.file(fifo)));
            EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{fifo.substr(4)});
            fs::remove_all(dir.file("out"));
        }
    }
}

// The same file under another name, or as standard input (< in.x): also
// through /dev/stdin's kin. Device and inode decide, not names.
TEST_F(CliFileTrouble, OutputThatIsAnInputIsRefused) {
    struct Case {
        std::string input;
        std::string output;
        std::string same;
    };
    const Case cases[] = {
        {"in.x", "./in.x", "the input in.x"},
        {"-", "in.x", "standard input"},
        {"-", "/dev/fd/0", "standard input"},
        {"-", "/proc/self/fd/0", "standard input"},
    };
    for (const Conversion& conversion : Conversions) {
        writeInputs(conversion);
        const Bytes input = read("in.x");
        for (const Case& c : cases) {
            if (CliProcess::UnderWine() && c.input == "-") {
                continue;
            }
            const Arguments arguments = Single(conversion, c.input, c.output);
            EXPECT_EQ(run(arguments, {.inputFile = dir.file("in.x")}),
                      Failed(c.output + ": not written: same file as " + c.same +
                             conversion.sameFileAdvice))
                << Joined(arguments);
            EXPECT_EQ(read("in.x"), input) << Joined(arguments);
            EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.x", "logo.epa"}));
        }
    }
}

// A batch never writes over any of its inputs, not only its own.
TEST_F(CliFileTrouble, BatchOutputThatIsAnyOfItsInputsIsRefused) {
    fs::create_directory(dir.file("d"));
    write("first.epa", Logo(true));
    write("d/first.bmp", Bitmap(2, 84));
    EXPECT_EQ(run({"epa2bmp", "--output-dir", "d", "first.epa", "d/first.bmp"}),
              (CliRun{1, "",
                      "kalvero-cli: d/first.bmp: not written: same file as the input d/first.bmp\n"
                      "kalvero-cli: d/first.bmp: not converted: an earlier input has the same "
                      "output name\n"}));
    EXPECT_EQ(read("d/first.bmp"), Bitmap(2, 84));
    EXPECT_EQ(FolderEntries(dir.file("d")), std::vector<std::string>{"first.bmp"});
}

// A 2 GB file of the wrong size is refused by its length, never read.
TEST_F(CliFileTrouble, HugeInputsAreRefusedWithoutBeingRead) {
    write("in", {});
    fs::resize_file(dir.file("in"), 1ULL << 31);
    const std::string image = "in: not an Award BIOS image Kalvero knows: 2147483648 bytes";
    const std::pair<Arguments, std::string> cases[] = {
        {{"bmp2epa", "in", "out"}, "in: wrong size: 2147483648 bytes (a bitmap must be"},
        {{"render", "in", "out"}, "in: wrong size: 2147483648 bytes (neither an EPA file"},
        {{"bios", "extract", "in", "out"}, image},
        {{"bios", "replace", "in", "in", "out"}, image},
    };
    for (const auto& [arguments, start] : cases) {
        const CliRun refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 1) << Joined(arguments);
        EXPECT_TRUE(refused.err.starts_with("kalvero-cli: " + start)) << refused.err;
    }
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 512L * 1024);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in"});
}

TEST_F(CliFileTrouble, FullStandardOutputIsReported) {
    SKIP_UNDER_WINE();
    write("in.epa", Logo(true));
    write("in.bin", Build(LayoutA()).bytes);
    write("short.epa", Logo(false));
    const std::string full = "kalvero-cli: standard output: No space left on device\n";
    for (const Arguments& arguments :
         {Arguments{"info", "in.epa"}, Arguments{"render", "in.epa", "-"},
          Arguments{"epa2bmp", "in.epa", "-"}, Arguments{"bios", "list", "in.bin"},
          Arguments{"bios", "replace", "in.bin", "short.epa", "-"}, Arguments{"--help"}}) {
        EXPECT_EQ(run(arguments, {.outputFile = "/dev/full"}), (CliRun{1, "", full}))
            << Joined(arguments);
    }
}

// A file's bytes are no text for a terminal: - as output is refused there,
// before any input is read.
TEST_F(CliFileTrouble, StandardOutputOnATerminalIsRefused) {
    SKIP_UNDER_WINE();
    int terminal = -1;
    int side = -1;
    ASSERT_EQ(::openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
    for (const Conversion& conversion : Conversions) {
        writeInputs(conversion);
        EXPECT_EQ(run(Single(conversion, "in.x", "-"), {.outputFile = ::ttyname(side)}),
                  Failed("standard output: not written: is a terminal (redirect it to a file or a "
                         "pipe, or name an output file)"))
            << Joined(conversion.command);
    }
    ::close(side);
    ::close(terminal);
}

// File names are bytes: blanks, umlauts, a leading dash (after --) and bytes
// that are not UTF-8 go from the command line to the file system and back; a
// line break is quoted in messages, as the shell would, to keep them one line.
TEST_F(CliFileTrouble, NamesKeepTheirBytes) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"-Grün Öl", "-Grün Öl.epa", "gone-Grün Öl"},
        {"bad\xff", "bad\xff.epa", "gonebad\xff"},
        {"new\nline", "$'new\\nline.epa'", "$'gonenew\\nline'"},
    };
    for (const auto& [name, shown, goneShown] : cases) {
        if (name != "-Grün Öl" && CliProcess::UnderWine()) {
            continue; // not on Windows
        }
        fs::create_directory(dir.file("out"));
        write(name + ".bmp", Bitmap(2, 84));
        EXPECT_EQ(run({"bmp2epa", "--", name + ".bmp", name + ".epa"}), Succeeded());
        EXPECT_EQ(run({"info", "--", name + ".epa", "gone" + name}),
                  (CliRun{1, shown + ": EPA version 1, short logo, 136 x 84\n",
                          "kalvero-cli: " + goneShown + ": file not found\n"}));
        EXPECT_EQ(run({"render", "--output-dir", "out", "--", name + ".epa"}), Succeeded());
        EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{name + ".png"});
        fs::remove_all(dir.file("out"));
    }
}

} // namespace
} // namespace kalvero::test
