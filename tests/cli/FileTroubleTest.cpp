#include "bios/SyntheticImage.h"
#include "cli/CliTest.h"

#include <functional>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

// A command that writes one output: IN OUT, and --output-dir DIR IN where
// it makes a batch. bios replace reads its logo from standard input.
struct Conversion {
    Arguments command;
    std::string extension;      // of the output
    std::size_t outputLength;   // made of Input(command); 0 for a PNG
    bool batch;                 // takes --output-dir
    std::string sameFileAdvice; // after "same file as the input IN"
};

const Conversion Conversions[] = {
    {{"bmp2epa"}, ".epa", 2367, true, ""},
    {{"epa2bmp"}, ".bmp", 2582, true, ""},
    {{"render"}, ".png", 0, true, ""},
    {{"bios", "extract"}, ".epa", 1602, true, ""},
    {{"bios", "replace"},
     ".bin",
     128 * 1024,
     false,
     ": name a new file for the new image, and keep the old image to flash back"},
};

Bytes Input(const Conversion& conversion) {
    if (conversion.command[0] == "bios") {
        return Build(LayoutA()).bytes;
    }
    return conversion.command[0] == "bmp2epa" ? Bitmap(2, 126) : Logo(true);
}

Arguments Single(const Conversion& conversion, const std::string& output) {
    Arguments arguments = conversion.command;
    arguments.push_back("in.x");
    if (conversion.command.back() == "replace") {
        arguments.push_back("-");
    }
    arguments.push_back(output);
    return arguments;
}

Arguments Batch(const Conversion& conversion, const std::string& folder) {
    Arguments arguments = conversion.command;
    arguments.insert(arguments.end(), {"--output-dir", folder, "in.x"});
    return arguments;
}

CliOptions Options(const Conversion& conversion, CliOptions options = {}) {
    if (conversion.command.back() == "replace") {
        options.input = EpaLogo(6, 5);
    }
    return options;
}

const std::string BitmapRefusal = " bytes (a bitmap must be 136 x 84 or 136 x 126 pixels: 1742 or "
                                  "2582 bytes in 2 colours, 5830 or 8686 bytes in 16 colours)";
const std::string ImageRefusal =
    " bytes, where the images it knows have 128 or 256 KiB. Kalvero changes only Award BIOS "
    "images of the kinds it has measured; check that the file is a whole image, as read from the "
    "chip or published by the board's maker.";
const std::string NotRegular = "not written: not a regular file (- writes to standard output)";

void MakeSocket(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

using CliFileTrouble = CliTest;

TEST_F(CliFileTrouble, BadInputsAreRefusedWithoutBeingRead) {
    write("result", OldBytes);
    fs::create_directory(dir.file("folder"));
    for (const std::uint64_t length : {1743ULL, 1ULL << 31}) {
        write("in", {});
        fs::resize_file(dir.file("in"), length);
        const std::string size = std::to_string(length);
        EXPECT_EQ(run({"bmp2epa", "in", "result"}),
                  Failed("in: wrong size: " + size + BitmapRefusal));
        EXPECT_EQ(run({"render", "in", "result"}),
                  Failed("in: wrong size: " + size +
                         " bytes (neither an EPA file nor one of the four accepted bitmaps)"));
        for (const Arguments& bios : {Arguments{"bios", "extract", "in", "result"},
                                      Arguments{"bios", "replace", "in", "folder", "result"}}) {
            EXPECT_EQ(run(bios),
                      Failed("in: not an Award BIOS image Kalvero knows: " + size + ImageRefusal));
        }
    }
    // Reading the 2 GB file would have taken 2 GB.
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 512L * 1024);
    EXPECT_EQ(run({"epa2bmp", "folder", "result"}), Failed("folder: is a folder"));
    if (!CliProcess::UnderWine()) {
        EXPECT_EQ(run({"bmp2epa", std::string(300, 'n'), "result"}),
                  Failed(std::string(300, 'n') + ": name too long"));
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder", "in", "result"}));
    EXPECT_EQ(read("result"), OldBytes);
}

// Every output that cannot or must not be written, alone and in a batch: the
// message names it, and every file stays as it was.
TEST_F(CliFileTrouble, OutputsThatAreRefusedLeaveEveryFileAsItWas) {
    struct Case {
        std::string what;
        std::function<void(const fs::path&)> make; // the output at this path
        std::string reason;
        bool windowsToo = false;
        rlim_t fileSizeLimit = 0;
    };
    const bool root = ::geteuid() == 0;
    const Case cases[] = {
        {"folder", [](const fs::path& p) { fs::create_directory(p); }, "not written: is a folder",
         true},
        {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, NotRegular},
        {"socket", MakeSocket, NotRegular},
        {"device",
         [](const fs::path& p) {
             // A copy of /dev/null: root may make one.
             ASSERT_EQ(::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
         },
         NotRegular},
        {"write-protected file",
         [](const fs::path& p) {
             WriteBytes(p, OldBytes);
             fs::permissions(p, fs::perms::owner_read | fs::perms::group_read |
                                    fs::perms::others_read);
         },
         // Not even by root: nobody may write it.
         "not written: is write-protected"},
        {"write cut short (file size limit)", [](const fs::path& p) { WriteBytes(p, OldBytes); },
         "not written: file too large for this disk or user limit", false, 64},
    };
    for (const Conversion& conversion : Conversions) {
        write("in.x", Input(conversion));
        for (const Case& c : cases) {
            if ((CliProcess::UnderWine() && !c.windowsToo) || (c.what == "device" && !root)) {
                continue;
            }
            const std::string output = "in" + conversion.extension;
            fs::create_directory(dir.file("out"));
            c.make(dir.file(output));
            c.make(dir.file("out/" + output));
            const fs::file_status before = fs::status(dir.file(output));
            const std::string what = Joined(conversion.command) + ", " + c.what;
            CliOptions limited = Options(conversion);
            limited.fileSizeLimit = c.fileSizeLimit;
            EXPECT_EQ(run(Single(conversion, output), limited), Failed(output + ": " + c.reason))
                << what;
            if (conversion.batch) {
                EXPECT_EQ(run(Batch(conversion, "out"), limited),
                          Failed("out/" + output + ": " + c.reason))
                    << what;
            }
            EXPECT_EQ(fs::status(dir.file(output)).type(), before.type()) << what;
            if (fs::is_regular_file(before)) {
                EXPECT_EQ(read(output), OldBytes) << what;
                EXPECT_EQ(read("out/" + output), OldBytes) << what;
            }
            std::vector<std::string> entries{"in.x", output, "out"};
            std::sort(entries.begin(), entries.end());
            EXPECT_EQ(dir.entries(), entries) << what;
            EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{output}) << what;
            fs::remove_all(dir.file("out"));
            fs::permissions(dir.file(output), fs::perms::owner_all);
            fs::remove_all(dir.file(output));
        }
    }
}

TEST_F(CliFileTrouble, MissingFoldersAreReported) {
    for (const Conversion& conversion : Conversions) {
        write("in.x", Input(conversion));
        EXPECT_EQ(run(Single(conversion, "missing/result"), Options(conversion)),
                  Failed("missing/result: not written: folder not found"));
        if (conversion.batch) {
            EXPECT_EQ(run(Batch(conversion, "missing")), Failed("missing: folder not found"));
        }
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.x"});
}

// The same file under its own name, another name, a hard link or a symlink.
TEST_F(CliFileTrouble, OutputThatIsAnInputIsRefused) {
    struct Case {
        std::string output;
        std::function<void()> make;
        bool windowsToo = false;
    };
    const Case cases[] = {
        {"in.x", [] {}, true},
        {"./in.x", [] {}, true},
        {"hard.x",
         [&] {
             fs::create_hard_link(dir.file("in.x"), dir.file("hard.x"));
         }},
        {"link.x",
         [&] {
             fs::create_symlink("in.x", dir.file("link.x"));
         }},
    };
    for (const Conversion& conversion : Conversions) {
        for (const Case& c : cases) {
            if (CliProcess::UnderWine() && !c.windowsToo) {
                continue;
            }
            const Bytes input = Input(conversion);
            write("in.x", input);
            c.make();
            const std::vector<std::string> before = dir.entries();
            EXPECT_EQ(run(Single(conversion, c.output), Options(conversion)),
                      Failed(c.output + ": not written: same file as the input in.x" +
                             conversion.sameFileAdvice))
                << Joined(conversion.command) << " " << c.output;
            EXPECT_EQ(read("in.x"), input);
            EXPECT_EQ(dir.entries(), before);
            for (const std::string& name : before) {
                fs::remove(dir.file(name));
            }
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
    if (!CliProcess::UnderWine()) {
        fs::remove(dir.file("d/first.bmp"));
        fs::create_symlink("../first.epa", dir.file("d/first.bmp"));
        EXPECT_EQ(run({"epa2bmp", "--output-dir", "d", "first.epa"}),
                  Failed("d/first.bmp: not written: same file as the input first.epa"));
        EXPECT_EQ(read("first.epa"), Logo(true));
    }
    EXPECT_EQ(FolderEntries(dir.file("d")), std::vector<std::string>{"first.bmp"});
}

// An output that is a symlink is written through: the file it points to is
// replaced and the link stays; a dangling link gets its file.
TEST_F(CliFileTrouble, SymlinkedOutputsAreWrittenThrough) {
    SKIP_UNDER_WINE();
    for (const Conversion& conversion : Conversions) {
        const std::string what = Joined(conversion.command);
        write("in.x", Input(conversion));
        for (const bool dangling : {false, true}) {
            fs::create_directories(dir.file("real"));
            if (!dangling) {
                write("real/file", OldBytes);
            }
            fs::create_symlink("real/file", dir.file("link"));
            EXPECT_EQ(run(Single(conversion, "link"), Options(conversion)), Succeeded())
                << what << dangling;
            EXPECT_TRUE(fs::is_symlink(dir.file("link")));
            EXPECT_EQ(FolderEntries(dir.file("real")), std::vector<std::string>{"file"});
            const Bytes made = read("real/file");
            const std::size_t length = conversion.outputLength;
            EXPECT_EQ(length == 0 ? made.size() > 8 : made.size() == length, true) << what;
            fs::remove_all(dir.file("real"));
            fs::remove(dir.file("link"));
        }
    }
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
    const std::string name = ::ttyname(side);
    for (const Conversion& conversion : Conversions) {
        write("in.x", Input(conversion));
        CliOptions options = Options(conversion);
        options.outputFile = name;
        EXPECT_EQ(run(Single(conversion, "-"), options),
                  Failed("standard output: not written: is a terminal (redirect it to a file or a "
                         "pipe, or name an output file)"))
            << Joined(conversion.command);
    }
    ::close(side);
    ::close(terminal);
}

// File names are bytes: blanks, umlauts, a leading dash (after --) and bytes
// that are not UTF-8 go from the command line to the file system and back.
TEST_F(CliFileTrouble, NamesKeepTheirBytes) {
    for (const std::string name : {"-Grün Öl", "bad\xff"}) {
        if (name.back() == '\xff' && CliProcess::UnderWine()) {
            continue; // not on Windows
        }
        fs::create_directory(dir.file("out"));
        write(name + ".bmp", Bitmap(2, 84));
        EXPECT_EQ(run({"bmp2epa", "--", name + ".bmp", name + ".epa"}), Succeeded());
        EXPECT_EQ(run({"info", "--", name + ".epa", "gone" + name}),
                  (CliRun{1, name + ".epa: EPA version 1, short logo, 136 x 84\n",
                          "kalvero-cli: gone" + name + ": file not found\n"}));
        EXPECT_EQ(run({"render", "--output-dir", "out", "--", name + ".epa"}), Succeeded());
        EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{name + ".png"});
        fs::remove_all(dir.file("out"));
    }
}

// Run as a user whom permissions bind (CTest: CliFileTrouble.Unprivileged).
using CliFileTroubleUnprivileged = CliTest;

TEST_F(CliFileTroubleUnprivileged, PermissionsAreReported) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root passes every permission";
    }
    write("secret.epa", Logo(true));
    fs::permissions(dir.file("secret.epa"), fs::perms::none);
    write("in.epa", Logo(true));
    fs::create_directory(dir.file("closed"));
    write("closed/in.bmp", OldBytes);
    fs::permissions(dir.file("closed"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(run({"epa2bmp", "secret.epa", "x.bmp"}), Failed("secret.epa: permission denied"));
    EXPECT_EQ(run({"info", "secret.epa"}), Failed("secret.epa: permission denied"));
    EXPECT_EQ(run({"epa2bmp", "in.epa", "closed/in.bmp"}),
              Failed("closed/in.bmp: not written: permission denied"));
    EXPECT_EQ(run({"epa2bmp", "in.epa", "closed/new.bmp"}),
              Failed("closed/new.bmp: not written: permission denied"));
    EXPECT_EQ(run({"epa2bmp", "--output-dir", "closed", "in.epa"}),
              Failed("closed/in.bmp: not written: permission denied"));
    fs::permissions(dir.file("closed"), fs::perms::owner_all);
    EXPECT_EQ(FolderEntries(dir.file("closed")), std::vector<std::string>{"in.bmp"});
    EXPECT_EQ(read("closed/in.bmp"), OldBytes);
}

} // namespace
} // namespace kalvero::test
