#include "shell/platform/CommandLine.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(CommandLineFileFrom, TrimsAndRemovesQuotesInTwoTests) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"\"C:\\Logos\\my logo.epa\"", "C:\\Logos\\my logo.epa"},
        {"  /logos/boot.epa  ", "/logos/boot.epa"},
        {"\"C:\\a.epa\" more", "C:\\a.epa\" more"}, // the closing quote is not last
        {"/x.epa\"", "/x.epa"},                     // a lone closing quote goes too
        {"a\"b\"", "a\"b\""},                       // the first quote is not the last character
        {"\"", ""},
        {"", std::nullopt},
        {"   ", std::nullopt},
    };
    for (const auto& [commandLine, expected] : cases) {
        EXPECT_EQ(CommandLineFileFrom(commandLine), expected) << commandLine;
    }
}

} // namespace
} // namespace kalvero
