// What every write meets at its target: links are written through, anything
// that is not a regular file or may not be written is refused, and nothing
// else in the folders changes. Runs as root and, in its own CTest entry, as an
// unprivileged user.

#include "document/FileIo.h"

#include "document/BatchWriter.h"
#include "support/FileKinds.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#if __has_include(<linux/fs.h>)
#include <linux/fs.h>
#endif
#include <optional>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::Snapshot;

// The new bytes are fewer: a replacement must not keep the old file's tail.
const Bytes Old{'o', 'l', 'd', 'e', 'r'};
const Bytes New{'n', 'e', 'w'};
// The longest name a file may have here: its temporary file's must fit too.
const std::string Longest(255, 'n');

// Makes what a script names, word by word: "file P" (holding Old), "0444 P"
// (the same with those permissions; 0464: its group may write it, its owner
// not), "folder P", "closed P" (a folder without write permission), "link P
// TARGET" ("@X": X's absolute name), "hard P FILE", "fifo P", "socket P",
// "device P". False when this user cannot make one of them here.
bool Make(const fs::path& dir, const char* script) {
    std::istringstream words(script);
    std::string kind;
    std::string name;
    while (words >> kind >> name) {
        const fs::path path = dir / name;
        std::string target;
        if (kind == "file" || kind[0] == '0') {
            test::WriteBytes(path, Old);
            if (kind[0] == '0') {
                fs::permissions(path, static_cast<fs::perms>(std::stoi(kind, nullptr, 8)));
            }
        } else if (kind == "folder" || kind == "closed") {
            fs::create_directories(path);
            if (kind == "closed") {
                fs::permissions(path, fs::perms::owner_read | fs::perms::owner_exec);
            }
        } else if (kind == "link" && words >> target) {
            fs::create_symlink(target[0] == '@' ? dir / target.substr(1) : fs::path(target), path);
        } else if (kind == "hard" && words >> target) {
            fs::create_hard_link(dir / target, path);
        } else if (!(kind == "fifo"     ? test::MakeFifo(path)
                     : kind == "socket" ? test::MakeSocket(path)
                                        : test::MakeNullDeviceCopy(path))) {
            return false;
        }
    }
    return true;
}

// Other files are made in real/.
struct Case {
    const char* what;
    const char* make;
    std::optional<FileProblem> asRoot; // nothing: written
    std::optional<FileProblem> asUser;
    std::string written{}; // where the new bytes go, when written
    std::string target = "at/t";
    rlim_t fileSizeLimit = 0; // files may have no more bytes while written
};

using enum FileProblem;
const Case Cases[] = {
    {"missing", "", {}, {}, "at/t"},
    {"regular file", "file at/t", {}, {}, "at/t"},
    {"absolute link", "file real/f link at/t @real/f", {}, {}, "real/f"},
    {"relative link, read from its own folder",
     "file real/f link at/t ../real/f",
     {},
     {},
     "real/f"},
    {"chain of links", "file real/f link at/t u link at/u @real/g link real/g f", {}, {}, "real/f"},
    {"dangling link", "link at/t ../real/new", {}, {}, "real/new"},
    {"dangling link into a missing folder", "link at/t ../gone/new", NotFound, NotFound},
    {"loop of links", "link at/t u link at/u t", Other, Other},
    {"link to itself", "link at/t t", Other, Other},
    {"folder", "folder at/t/inside", IsFolder, IsFolder},
    {"link to a folder", "link at/t @real", IsFolder, IsFolder},
    {"FIFO", "fifo at/t", NotRegularFile, NotRegularFile},
    {"socket", "socket at/t", NotRegularFile, NotRegularFile},
    {"device node, a copy of /dev/null (root only)", "device at/t", NotRegularFile, NotRegularFile},
    {"read-only file (0444)", "0444 at/t", WriteProtected, WriteProtected},
    {"link to a read-only file", "0444 real/f link at/t ../real/f", WriteProtected, WriteProtected},
    {"file its owner may not write, its group may (0464)", "0464 at/t", {}, WriteProtected, "at/t"},
    {"folder without write permission", "closed at", {}, PermissionDenied, "at/t"},
    {"name as long as allowed", "", {}, {}, "at/" + Longest, "at/" + Longest},
    {"name too long", "", Other, Other, "", "at/n" + Longest},
    {"write cut short, as on a full disk", "file at/t", TooLarge, TooLarge, "", "at/t", 2},
};

enum class Writer { Check, Atomic, Batch };
const char* const WriterNames[] = {"CheckWriteTarget", "WriteFileAtomically", "BatchWriter"};

// Files may have no more than limit bytes while the writer writes (0: any).
FileStatus Write(Writer writer, const fs::path& target, rlim_t limit) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limited{limit == 0 ? saved.rlim_cur : limit, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    std::optional<FileStatus> outcome;
    if (writer == Writer::Check) {
        outcome = CheckWriteTarget(target);
    } else if (writer == Writer::Atomic) {
        outcome = WriteFileAtomically(target, New);
    } else {
        BatchWriter batch([&](const fs::path& named, const FileStatus& delivered) {
            EXPECT_EQ(named, target);
            EXPECT_FALSE(outcome) << "reported twice";
            outcome = delivered;
        });
        const FileStatus added = batch.add(target, New);
        batch.finish();
        EXPECT_EQ(outcome.has_value(), added.ok()) << "a failed add is told by add alone";
        outcome = added ? *outcome : added;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    return *outcome;
}

TEST(WriteTarget, EveryKindOfTargetIsWrittenThroughOrRefused) {
    IgnoreFileSizeSignal();
    const bool root = ::geteuid() == 0;
    for (const Case& c : Cases) {
        for (const Writer writer : {Writer::Check, Writer::Atomic, Writer::Batch}) {
            const test::TempDir dir;
            fs::create_directories(dir.file("at"));
            fs::create_directories(dir.file("real"));
            if (!Make(dir.path(), c.make)) {
                std::cout << "skipped (" << c.what << "): cannot be made by this user\n";
                break;
            }
            auto expected = Snapshot(dir.path());
            // A check writes nothing, so no limit stops it.
            const std::optional<FileProblem> problem =
                writer == Writer::Check && c.fileSizeLimit != 0 ? std::nullopt
                : root                                          ? c.asRoot
                                                                : c.asUser;
            const FileStatus outcome = Write(writer, dir.file(c.target), c.fileSizeLimit);
            const std::string what =
                std::string(c.what) + ", " + WriterNames[static_cast<int>(writer)];
            if (problem) {
                ASSERT_FALSE(outcome.ok()) << what;
                EXPECT_EQ(outcome.error().problem, *problem)
                    << what << ": " << outcome.error().reason.english();
                EXPECT_EQ(outcome.error().leftBehind, "") << what;
            } else {
                EXPECT_TRUE(outcome.ok()) << what << ": " << outcome.error().reason.english();
                if (writer != Writer::Check) {
                    expected[c.written] = "file new";
                }
            }
            // Links stay links, refused targets keep their kind and bytes,
            // and no temporary file is left.
            EXPECT_EQ(Snapshot(dir.path()), expected) << what;
        }
    }
}

TEST(WriteTarget, TheReplacementKeepsThePermissionsOfTheLinkedFile) {
    const test::TempDir dir;
    ASSERT_TRUE(Make(dir.path(), "0640 f link link f"));
    ASSERT_TRUE(WriteFileAtomically(dir.file("link"), New).ok());
    EXPECT_EQ(fs::status(dir.file("f")).permissions(), static_cast<fs::perms>(0640));
    EXPECT_TRUE(fs::is_symlink(dir.file("link")));
}

// /dev/stdin, /dev/fd/N and /proc/self/fd/N lead to what is open there, and
// standard input is known by the file it is read from.
TEST(WriteTarget, NamesOfOpenFilesLeadToWhatIsOpen) {
    const test::TempDir dir;
    test::WriteBytes(dir.file("f"), Old);
    test::WriteBytes(dir.file("deleted"), Old);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const int file = ::open(dir.file("f").c_str(), O_RDONLY);
    const int deleted = ::open(dir.file("deleted").c_str(), O_RDONLY);
    fs::remove(dir.file("deleted"));
    const int input = ::dup(STDIN_FILENO);
    ::dup2(file, STDIN_FILENO); // < f
    EXPECT_EQ(IdentityOfStandardStream(StandardStream::Input), IdentityOf(dir.file("f")));
    EXPECT_EQ(IdentityOf("/dev/stdin"), IdentityOf(dir.file("f")));
    ::dup2(pipe[0], STDIN_FILENO);
    EXPECT_EQ(IdentityOfStandardStream(StandardStream::Input), std::nullopt);
    ::dup2(input, STDIN_FILENO);

    const auto named = [](const char* folder, int fd) {
        return fs::path(folder) / std::to_string(fd);
    };
    const FileStatus intoPipe = WriteFileAtomically(named("/dev/fd", pipe[1]), New);
    ASSERT_FALSE(intoPipe.ok()); // it was "folder not found"
    EXPECT_EQ(intoPipe.error().problem, NotRegularFile);
    const FileStatus intoDeleted = WriteFileAtomically(named("/proc/self/fd", deleted), New);
    ASSERT_FALSE(intoDeleted.ok());
    EXPECT_EQ(intoDeleted.error().reason.english(), "leads to an open file that has no name");
    EXPECT_TRUE(WriteFileAtomically(named("/proc/self/fd", file), New).ok());
    EXPECT_EQ(test::ReadBytes(dir.file("f")), New);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"f"});
    for (const int fd : {pipe[0], pipe[1], file, deleted, input}) {
        ::close(fd);
    }
}

#ifdef FS_APPEND_FL // Linux's own (not in the WebAssembly build)
// A folder whose files may be made but not renamed or removed (chattr +a):
// the refused write names the temporary file it had to leave.
TEST(WriteTarget, AppendOnlyFolderNamesTheTemporaryFileLeftBehind) {
    const test::TempDir dir;
    const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (::ioctl(folder, FS_IOC_GETFLAGS, &flags) != 0 ||
        (flags |= FS_APPEND_FL, ::ioctl(folder, FS_IOC_SETFLAGS, &flags)) != 0) {
        ::close(folder);
        GTEST_SKIP() << "this user or file system cannot make a folder append-only";
    }
    const FileStatus written = WriteFileAtomically(dir.file("t"), New);
    const std::vector<std::string> left = dir.entries();
    flags &= ~FS_APPEND_FL;
    ::ioctl(folder, FS_IOC_SETFLAGS, &flags);
    ::close(folder);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().problem, PermissionDenied);
    ASSERT_EQ(left.size(), 1U);
    EXPECT_EQ(written.error().leftBehind, dir.file(left[0]).string());
}
#endif

TEST(SameFile, NamesOfOneFileAreTheSameFileAndMissingOnesNever) {
    const test::TempDir dir;
    ASSERT_TRUE(Make(dir.path(), "file f file copy hard hard f link soft f folder sub "
                                 "link sub/chain ../soft link dangling gone"));
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"f", "f", true},        {"f", "hard", true},
        {"f", "soft", true},     {"hard", "sub/chain", true},
        {"f", "copy", false},    {"f", "gone", false},
        {"gone", "gone", false}, {"dangling", "gone", false},
    };
    for (const auto& [a, b, same] : cases) {
        EXPECT_EQ(SameFile(dir.file(a), dir.file(b)), same) << a << " " << b;
        EXPECT_EQ(SameFile(dir.file(b), dir.file(a)), same) << b << " " << a;
    }
}

TEST(ReadFile, WhatCannotBeReadIsReported) {
    const test::TempDir dir;
    test::WriteBytes(dir.file("f"), {1, 2, 3, 4, 5});
    fs::create_directory(dir.file("folder"));
    EXPECT_EQ(ReadFileExactly(dir.file("f"), 5).value(), (Bytes{1, 2, 3, 4, 5}));
    const std::pair<std::string, std::size_t> cases[] = {
        {"f", 6},      {"f", 4}, // it has shrunk, or grown
        {"folder", 5}, {"gone", 5}, {std::string(256, 'n'), 5},
    };
    const FileProblem problems[] = {Changed, Changed, IsFolder, NotFound, Other};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto read = ReadFileExactly(dir.file(cases[i].first), cases[i].second);
        ASSERT_FALSE(read.ok()) << i;
        EXPECT_EQ(read.error().problem, problems[i]) << i << ": " << read.error().reason.english();
    }
    // An empty name is neither a missing file nor a missing folder.
    EXPECT_EQ(ReadFileExactly("", 5).error().reason.english(), "empty name");
    EXPECT_EQ(WriteFileAtomically("", Bytes{1}).error().reason.english(), "empty name");
    if (::geteuid() != 0) { // root reads anything
        fs::permissions(dir.file("f"), fs::perms::none);
        const auto unreadable = ReadFileExactly(dir.file("f"), 5);
        ASSERT_FALSE(unreadable.ok());
        EXPECT_EQ(unreadable.error().problem, PermissionDenied);
    }
}

} // namespace
} // namespace kalvero
