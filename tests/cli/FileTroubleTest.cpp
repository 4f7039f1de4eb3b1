// The file layer's cases are tested in tests/document/FileIoTest.cpp; these
// show that every command writes through it, and test what kalvero-cli adds:
// which files are its inputs, standard input and output, and its messages.

#include "bios/SyntheticImage.h"
#include "cli/CliTest.h"
#include "support/FileKinds.h"

#include <chrono>
#include <fcntl.h>
#include <pty.h>
#include <thread>
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
        write("logo.epa", EpaLogo(6, 5));
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

// Every command, alone and in a batch, writes through the file layer (whose
// refusals tests/document tests): a refusal names the output and leaves
// every file as it was. No output
// is an input: the same file under another name, or standard input (< in.x);
// device and inode decide, not names.
TEST_F(CliFileTrouble, EveryCommandWritesThroughTheFileLayerAndNeverOverAnInput) {
    const std::string notRegular = "not written: not a regular file (- writes to standard output)";
    const std::string same = "not written: same file as ";
    struct Case {
        std::string input;
        std::string output;
        std::string reason;
        bool windowsToo = false;
    };
    const Case cases[] = {
        {"in.x", "protected.x", "not written: is write-protected"},
        {"in.x", "missing/out.x", "not written: folder not found", true},
        {"in.x", "/dev/stdout", notRegular}, // a pipe here: it was "folder not found"
        {"in.x", "./in.x", same + "the input in.x", true},
        {"-", "in.x", same + "standard input"},
        {"-", "/dev/fd/0", same + "standard input"}, // the kin of /dev/stdin: tests/document
        {"in.x", "-", same + "the input in.x"},      // standard output appends to in.x
    };
    for (const Conversion& conversion : Conversions) {
        writeInputs(conversion);
        write("protected.x", OldBytes);
        fs::permissions(dir.file("protected.x"), fs::perms::owner_read);
        const auto before = Snapshot(dir.path());
        for (const Case& c : cases) {
            if (CliProcess::UnderWine() && !c.windowsToo) {
                continue;
            }
            const Arguments arguments = Single(conversion, c.input, c.output);
            const std::string advice = c.reason.starts_with(same) ? conversion.sameFileAdvice : "";
            const bool toStandardOutput = c.output == "-";
            EXPECT_EQ(run(arguments, {.inputFile = dir.file("in.x"),
                                      .outputFile = toStandardOutput ? dir.file("in.x") : ""}),
                      Failed((toStandardOutput ? "standard output" : c.output) + ": " + c.reason +
                             advice))
                << Joined(arguments);
            EXPECT_EQ(Snapshot(dir.path()), before) << Joined(arguments);
        }
        fs::remove(dir.file("protected.x"));
        if (conversion.batch && !CliProcess::UnderWine()) {
            const std::string fifo = "out/in" + conversion.extension;
            fs::create_directory(dir.file("out"));
            ASSERT_TRUE(MakeFifo(dir.file(fifo)));
            Arguments batch = conversion.command;
            batch.insert(batch.end(), {"--output-dir", "out", "in.x"});
            const auto withFifo = Snapshot(dir.path());
            EXPECT_EQ(run(batch), Failed(fifo + ": " + notRegular)) << Joined(batch);
            EXPECT_EQ(Snapshot(dir.path()), withFifo) << Joined(batch);
            batch[batch.size() - 2] = "missing";
            EXPECT_EQ(run(batch), Failed("missing: folder not found")) << Joined(batch);
            fs::remove_all(dir.file("out"));
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

// A full standard output is reported; a terminal, no place for a file's
// bytes, is refused before any input is read (these inputs are missing).
TEST_F(CliFileTrouble, StandardOutputThatIsFullOrATerminalIsReported) {
    SKIP_UNDER_WINE();
    int terminal = -1;
    int side = -1;
    ASSERT_EQ(::openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
    write("in.epa", Logo(true));
    write("in.bin", Build(LayoutA()).bytes);
    write("short.epa", Logo(false));
    const std::string full = "standard output: No space left on device";
    const std::string tty = "standard output: not written: is a terminal (redirect it to a file "
                            "or a pipe, or name an output file)";
    const std::tuple<Arguments, bool, std::string> cases[] = {
        {{"info", "in.epa"}, false, full},
        {{"epa2bmp", "in.epa", "-"}, false, full},
        {{"bios", "replace", "in.bin", "short.epa", "-"}, false, full},
        {{"bmp2epa", "gone", "-"}, true, tty},
        {{"bios", "extract", "gone", "-"}, true, tty},
        {{"bios", "replace", "gone", "gone", "-"}, true, tty},
    };
    for (const auto& [arguments, toTerminal, message] : cases) {
        EXPECT_EQ(run(arguments, {.outputFile = toTerminal ? ::ttyname(side) : "/dev/full"}),
                  Failed(message))
            << Joined(arguments);
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
        write(name + ".bmp", Bitmap(2, 84));
        EXPECT_EQ(run({"bmp2epa", "--", name + ".bmp", name + ".epa"}), Succeeded());
        EXPECT_EQ(run({"info", "--", name + ".epa", "gone" + name}),
                  (CliRun{1, shown + ": EPA version 1, short logo, 136 x 84\n",
                          "kalvero-cli: " + goneShown + ": file not found\n"}));
    }
}

// An input may be a named pipe (a FIFO, or what <(...) names), read whole as
// standard input is; the writer gives up after ten seconds should the pipe be
// refused unread.
TEST_F(CliFileTrouble, AnInputMayBeANamedPipe) {
    if (CliProcess::UnderWine()) {
        GTEST_SKIP() << "no named pipes under Wine";
    }
    const Bytes image = Build(LayoutA()).bytes; // more than a pipe holds at once
    ASSERT_TRUE(MakeFifo(dir.file("pipe")));
    CliProcess process(dir.path(), {"bios", "verify", "pipe"});
    int pipe = -1;
    for (int tries = 0; pipe < 0 && tries < 1000; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        pipe = ::open(dir.file("pipe").c_str(), O_WRONLY | O_NONBLOCK);
    }
    ASSERT_GE(pipe, 0) << "kalvero-cli never opened the pipe";
    ::fcntl(pipe, F_SETFL, 0);
    EXPECT_EQ(::write(pipe, image.data(), image.size()), static_cast<ssize_t>(image.size()));
    ::close(pipe);
    EXPECT_TRUE(process.finish().out.starts_with("pipe: verified\n"));
}

} // namespace
} // namespace kalvero::test
