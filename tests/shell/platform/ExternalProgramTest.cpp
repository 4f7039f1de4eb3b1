#include "shell/platform/ExternalProgram.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(ExternalProgramTest, FirstExecutableOnPathIsFound) {
    test::TempDir dir;
    for (const char* folder : {"a", "b", "c"}) {
        fs::create_directory(dir.file(folder));
    }
    test::WriteBytes(dir.file("a") / "tool", {'#'}); // not executable
    fs::create_directory(dir.file("b") / "tool");    // a folder
    test::WriteBytes(dir.file("c") / "tool", {'#'});
    fs::permissions(dir.file("c") / "tool", fs::perms::owner_exec, fs::perm_options::add);

    const std::string old = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    const std::string path = "relative::" + dir.file("a").string() + ":" + dir.file("b").string() +
                             ":" + dir.file("c").string();
    ::setenv("PATH", path.c_str(), 1);
    const auto found = FindOnPath("tool");
    const auto missing = FindOnPath("no-such-tool");
    ::setenv("PATH", old.c_str(), 1);

    EXPECT_EQ(found, dir.file("c") / "tool");
    EXPECT_EQ(missing, std::nullopt);
}

TEST(ExternalProgramTest, OnlyAProgramThatEndsWellInTimeSucceeds) {
    EXPECT_TRUE(RunProgram("/bin/sh", {"-c", "echo out; echo err >&2; exit 0"}, 5s));
    EXPECT_FALSE(RunProgram("/bin/sh", {"-c", "exit 3"}, 5s));
    EXPECT_FALSE(RunProgram("/bin/sh", {"-c", "kill -9 $$"}, 5s));
    EXPECT_FALSE(RunProgram("/no/such/program", {}, 5s));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunProgram("/bin/sh", {"-c", "sleep 30"}, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(ExternalProgramTest, ArgumentsArePassedUnchanged) {
    test::TempDir dir;
    const std::string tricky = "a b \"c\" $HOME `x` \\";
    EXPECT_TRUE(RunProgram(
        "/bin/sh", {"-c", "printf %s \"$1\" > \"$2\"", "sh", tricky, dir.file("out").string()},
        5s));
    const auto bytes = test::ReadBytes(dir.file("out"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), tricky);
}

} // namespace
} // namespace kalvero
