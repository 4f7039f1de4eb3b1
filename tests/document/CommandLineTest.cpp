#include "document/CommandLine.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(CommandLineFileFrom, TrimsAndRemovesQuotesInTwoTests) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Logos\\my logo.epa\"", "C:\\Logos\\my logo.epa"},
        {"  /logos/boot.epa  ", "/logos/boot.epa"},
        {"/logos/my logo.epa", "/logos/my logo.epa"},
        {"\"C:\\a.epa\" more", "C:\\a.epa\" more"}, // the closing quote is not last
        {"\"\"", ""},
        {" \"/x.epa\" ", "/x.epa"},
        {"/x.epa\"", "/x.epa"}, // a lone closing quote goes too
        {"a\"b\"", "a\"b\""},   // the first quote is not the last character
        {"\"", ""},
    };
    for (const auto& [commandLine, expected] : cases) {
        const std::optional<std::string> name = CommandLineFileFrom(commandLine);
        ASSERT_TRUE(name.has_value()) << commandLine;
        EXPECT_EQ(*name, expected) << commandLine;
    }
}

TEST(CommandLineFileFrom, BlankCommandLineNamesNothing) {
    for (const char* commandLine : {"", " ", "    "}) {
        EXPECT_FALSE(CommandLineFileFrom(commandLine).has_value()) << '"' << commandLine << '"';
    }
}

} // namespace
} // namespace kalvero
