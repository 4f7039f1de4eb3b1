#include "shell/platform/ExternalProgram.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using namespace std::chrono_literals;

// DesktopAssociationTest runs a program found on $PATH with an awkward argument.
TEST(ExternalProgramTest, OnlyAProgramThatEndsWellInTimeSucceeds) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(RunProgram("/bin/sh", {"-c", "echo out; echo err >&2"}, 5s));
    EXPECT_FALSE(RunProgram("/bin/sh", {"-c", "exit 3"}, 5s));
    EXPECT_FALSE(RunProgram("/bin/sh", {"-c", "kill -9 $$"}, 5s));
    EXPECT_FALSE(RunProgram("/no/such/program", {}, 5s));
    EXPECT_FALSE(RunProgram("/bin/sh", {"-c", "sleep 30"}, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

} // namespace
} // namespace kalvero
