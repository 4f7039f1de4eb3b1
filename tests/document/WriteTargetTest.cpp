// What every write meets at its target: links are written through, anything
// that is not a regular file or may not be written is refused, and nothing
// else in the folders changes. Runs as root and, in its own CTest entry, as an
// unprivileged user.

#include "document/BatchWriter.h"
#include "document/FileIo.h"
#include "support/FileKinds.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::Snapshot;

// The new bytes are fewer: a replacement must not keep the old file's tail.
const Bytes Old{'o', 'l', 'd', 'e', 'r'};
const Bytes New{'n', 'e', 'w'};

// Makes what a script names, word by word: "file P" (holding Old), "0444 P"
// (the same with those permissions; 0464: its group may write it, its owner
// not), "folder P", "link P TARGET" ("@X": X's absolute name), "fifo P",
// "socket P", "device P". False when this user cannot make one of them here.
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
        } else if (kind == "folder") {
            fs::create_directories(path);
        } else if (kind == "link" && words >> target) {
            fs::create_symlink(target[0] == '@' ? dir / target.substr(1) : fs::path(target), path);
        } else if (!(kind == "fifo"     ? test::MakeFifo(path)
                     : kind == "socket" ? test::MakeSocket(path)
                                        : test::MakeNullDeviceCopy(path))) {
            return false;
        }
    }
    return true;
}

// The target is always at/t; other files are made in real/.
struct Case {
    const char* what;
    const char* make;
    std::optional<FileProblem> asRoot; // nothing: written
    std::optional<FileProblem> asUser;
    const char* written; // where the new bytes go, when written
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
    {"dangling link into a missing folder", "link at/t ../gone/new", NotFound, NotFound, nullptr},
    {"loop of links", "link at/t u link at/u t", Other, Other, nullptr},
    {"link to itself", "link at/t t", Other, Other, nullptr},
    {"folder", "folder at/t/inside", IsFolder, IsFolder, nullptr},
    {"link to a folder", "link at/t @real", IsFolder, IsFolder, nullptr},
    {"FIFO", "fifo at/t", NotRegularFile, NotRegularFile, nullptr},
    {"socket", "socket at/t", NotRegularFile, NotRegularFile, nullptr},
    {"device node, a copy of /dev/null (root only)", "device at/t", NotRegularFile, NotRegularFile,
     nullptr},
    {"read-only file (0444)", "0444 at/t", WriteProtected, WriteProtected, nullptr},
    {"link to a read-only file", "0444 real/f link at/t ../real/f", WriteProtected, WriteProtected,
     nullptr},
    {"file its owner may not write, its group may (0464)", "0464 at/t", {}, WriteProtected, "at/t"},
};

enum class Writer { Check, Atomic, Batch };
const char* const WriterNames[] = {"CheckWriteTarget", "WriteFileAtomically", "BatchWriter"};

FileStatus Write(Writer writer, const fs::path& target) {
    switch (writer) {
    case Writer::Check:
        return CheckWriteTarget(target);
    case Writer::Atomic:
        return WriteFileAtomically(target, New);
    case Writer::Batch:
        break;
    }
    std::optional<FileStatus> delivered;
    BatchWriter batch([&](const fs::path& named, const FileStatus& outcome) {
        EXPECT_EQ(named, target);
        EXPECT_FALSE(delivered) << "reported twice";
        delivered = outcome;
    });
    const FileStatus added = batch.add(target, New);
    batch.finish();
    EXPECT_EQ(delivered.has_value(), added.ok()) << "a failed add is told by add alone";
    return added ? *delivered : added;
}

TEST(WriteTarget, EveryKindOfTargetIsWrittenThroughOrRefused) {
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
            const std::optional<FileProblem> problem = root ? c.asRoot : c.asUser;
            const FileStatus outcome = Write(writer, dir.file("at/t"));
            const std::string what =
                std::string(c.what) + ", " + WriterNames[static_cast<int>(writer)];
            if (problem) {
                ASSERT_FALSE(outcome.ok()) << what;
                EXPECT_EQ(outcome.error().problem, *problem)
                    << what << ": " << outcome.error().reason;
            } else {
                EXPECT_TRUE(outcome.ok()) << what << ": " << outcome.error().reason;
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

TEST(SameFile, NamesOfOneFileAreTheSameFileAndMissingOnesNever) {
    const test::TempDir dir;
    test::WriteBytes(dir.file("f"), Old);
    test::WriteBytes(dir.file("copy"), Old);
    fs::create_hard_link(dir.file("f"), dir.file("hard"));
    fs::create_symlink("f", dir.file("soft"));
    fs::create_directory(dir.file("sub"));
    fs::create_symlink("../soft", dir.file("sub/chain"));
    fs::create_symlink("gone", dir.file("dangling"));
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

} // namespace
} // namespace kalvero
