// What every write meets at its target: links are written through, anything
// that is not a regular file or may not be written is refused, and nothing
// else in the folders changes. Runs as root and, in its own CTest entry, as an
// unprivileged user.

#include "document/BatchWriter.h"
#include "document/FileIo.h"
#include "support/FileKinds.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::Snapshot;

const Bytes Old{'o', 'l', 'd'};
const Bytes New{'n', 'e', 'w', '!'};

void MakeFile(const fs::path& path, fs::perms perms) {
    test::WriteBytes(path, Old);
    fs::permissions(path, perms);
}

constexpr fs::perms ReadOnly =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read; // 0444
// 0464: the owner may not write it, although its group may.
constexpr fs::perms GroupWritable = ReadOnly | fs::perms::group_write;

// The target is always at/t; other files are made in real/.
struct Case {
    const char* what;
    std::function<bool(const fs::path& dir)> make; // false: cannot be made here
    std::optional<FileProblem> asRoot;             // nothing: written
    std::optional<FileProblem> asUser;
    const char* written; // where the new bytes go, when written
};

const Case Cases[] = {
    {"missing", [](const fs::path&) { return true; }, {}, {}, "at/t"},
    {"regular file",
     [](const fs::path& d) {
         test::WriteBytes(d / "at/t", Old);
         return true;
     },
     {},
     {},
     "at/t"},
    {"absolute link",
     [](const fs::path& d) {
         test::WriteBytes(d / "real/f", Old);
         fs::create_symlink(d / "real/f", d / "at/t");
         return true;
     },
     {},
     {},
     "real/f"},
    {"relative link, read from its own folder",
     [](const fs::path& d) {
         test::WriteBytes(d / "real/f", Old);
         fs::create_symlink("../real/f", d / "at/t");
         return true;
     },
     {},
     {},
     "real/f"},
    {"chain of links",
     [](const fs::path& d) {
         test::WriteBytes(d / "real/f", Old);
         fs::create_symlink("u", d / "at/t");
         fs::create_symlink(d / "real/g", d / "at/u");
         fs::create_symlink("f", d / "real/g");
         return true;
     },
     {},
     {},
     "real/f"},
    {"dangling link",
     [](const fs::path& d) {
         fs::create_symlink("../real/new", d / "at/t");
         return true;
     },
     {},
     {},
     "real/new"},
    {"dangling link into a missing folder",
     [](const fs::path& d) {
         fs::create_symlink("../gone/new", d / "at/t");
         return true;
     },
     FileProblem::NotFound, FileProblem::NotFound, nullptr},
    {"loop of links",
     [](const fs::path& d) {
         fs::create_symlink("u", d / "at/t");
         fs::create_symlink("t", d / "at/u");
         return true;
     },
     FileProblem::Other, FileProblem::Other, nullptr},
    {"link to itself",
     [](const fs::path& d) {
         fs::create_symlink("t", d / "at/t");
         return true;
     },
     FileProblem::Other, FileProblem::Other, nullptr},
    {"folder",
     [](const fs::path& d) {
         fs::create_directories(d / "at/t/inside");
         return true;
     },
     FileProblem::IsFolder, FileProblem::IsFolder, nullptr},
    {"link to a folder",
     [](const fs::path& d) {
         fs::create_symlink(d / "real", d / "at/t");
         return true;
     },
     FileProblem::IsFolder, FileProblem::IsFolder, nullptr},
    {"FIFO", [](const fs::path& d) { return test::MakeFifo(d / "at/t"); },
     FileProblem::NotRegularFile, FileProblem::NotRegularFile, nullptr},
    {"socket", [](const fs::path& d) { return test::MakeSocket(d / "at/t"); },
     FileProblem::NotRegularFile, FileProblem::NotRegularFile, nullptr},
    {"device node, a copy of /dev/null (root only)",
     [](const fs::path& d) { return test::MakeNullDeviceCopy(d / "at/t"); },
     FileProblem::NotRegularFile, FileProblem::NotRegularFile, nullptr},
    {"read-only file (0444)",
     [](const fs::path& d) {
         MakeFile(d / "at/t", ReadOnly);
         return true;
     },
     FileProblem::WriteProtected, FileProblem::WriteProtected, nullptr},
    {"link to a read-only file",
     [](const fs::path& d) {
         MakeFile(d / "real/f", ReadOnly);
         fs::create_symlink("../real/f", d / "at/t");
         return true;
     },
     FileProblem::WriteProtected, FileProblem::WriteProtected, nullptr},
    {"file its owner may not write, its group may (0464)",
     [](const fs::path& d) {
         MakeFile(d / "at/t", GroupWritable);
         return true;
     },
     {},
     FileProblem::WriteProtected,
     "at/t"},
};

enum class Writer { Check, Atomic, Batch };
const char* Name(Writer writer) {
    return writer == Writer::Check    ? "CheckWriteTarget"
           : writer == Writer::Atomic ? "WriteFileAtomically"
                                      : "BatchWriter";
}

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
            if (!c.make(dir.path())) {
                std::cout << "skipped (" << c.what << "): cannot be made by this user\n";
                break;
            }
            auto expected = Snapshot(dir.path());
            const std::optional<FileProblem> problem = root ? c.asRoot : c.asUser;
            const FileStatus outcome = Write(writer, dir.file("at/t"));
            const std::string what = std::string(c.what) + ", " + Name(writer);
            if (problem) {
                ASSERT_FALSE(outcome.ok()) << what;
                EXPECT_EQ(outcome.error().problem, *problem)
                    << what << ": " << outcome.error().reason;
            } else {
                EXPECT_TRUE(outcome.ok()) << what << ": " << outcome.error().reason;
                if (writer != Writer::Check) {
                    expected[c.written] = "file new!";
                }
            }
            // Links stay links, refused targets keep their kind and bytes,
            // and no temporary file is left.
            EXPECT_EQ(Snapshot(dir.path()), expected) << what;
        }
    }
}

TEST(WriteTarget, RefusalsSayWhy) {
    const test::TempDir dir;
    fs::create_symlink("loop", dir.file("loop"));
    test::MakeFifo(dir.file("fifo"));
    MakeFile(dir.file("locked"), ReadOnly);
    const std::pair<const char*, const char*> cases[] = {
        {"loop", "too many levels of symbolic links"},
        {"fifo", "not a regular file"},
        {"locked", "is write-protected"},
    };
    for (const auto& [name, reason] : cases) {
        const FileStatus checked = CheckWriteTarget(dir.file(name));
        ASSERT_FALSE(checked.ok()) << name;
        EXPECT_EQ(checked.error().reason, reason);
    }
}

TEST(WriteTarget, TheReplacementKeepsThePermissionsOfTheLinkedFile) {
    const test::TempDir dir;
    constexpr fs::perms perms =
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read; // 0640
    MakeFile(dir.file("f"), perms);
    fs::create_symlink("f", dir.file("link"));
    ASSERT_TRUE(WriteFileAtomically(dir.file("link"), New).ok());
    EXPECT_EQ(fs::status(dir.file("f")).permissions(), perms);
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
