#include "shell/platform/EpaFileType.h"

#include "FakeRegistry.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace kalvero {
namespace {

using Strings = std::vector<std::string>;

TEST(EpaFileTypeTest, CommandIsTheFolderASingleSeparatorAndTheQuotedPlaceholder) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\Kalvero", "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\""},
        {"C:\\", "C:\\KALVERO.EXE \"%1\""},
        {"D:\\My Tools\\", "D:\\My Tools\\KALVERO.EXE \"%1\""},
        {"\\\\server\\share\\logo tools", "\\\\server\\share\\logo tools\\KALVERO.EXE \"%1\""},
    };
    for (const auto& [folder, command] : cases) {
        EXPECT_EQ(EpaOpenCommand(folder), command) << folder;
    }
}

// Each key's default value replaces another program's; one that cannot be
// set is reported, one whose key cannot be created is skipped silently.
TEST(EpaFileTypeTest, ThreeKeysAreWrittenAndEachFailureReported) {
    // The parts by their letter: the key and its default value.
    const std::map<char, std::pair<std::string, std::string>> parts = {
        {'E', {"HKCR\\.EPA", "EPA_auto_file"}},
        {'F', {"HKCR\\EPA_auto_file", "EPA"}},
        {'C', {"HKCR\\EPA_auto_file\\shell\\open\\command", "C:\\KALVERO.EXE \"%1\""}}};
    const std::string e = "Registration-Error ! [.EPA]";
    const std::string f = "Registration-Error ! [(standard)=EPA]";
    const std::string c = "Registration-Error ! [EPA_auto_file\\shell\\open\\command]";
    const std::tuple<std::string, std::string, Strings, std::string> cases[] = {
        // Keys refused, values refused, the messages, the values written.
        {"", "", {}, "EFC"},        // replacing another program's
        {"", "EFC", {e, f, c}, ""}, // one message each, in order
        {"", "F", {f}, "EC"},       // the others are still written
        {"EFC", "", {}, ""},        // no message for a key that cannot be created
        {"E", "C", {c}, "F"},       // both together
    };
    for (const auto& [refuseCreate, refuseSet, messages, written] : cases) {
        test::FakeRegistry registry;
        registry.keys["HKCR\\.EPA"][""] = "OtherEditor.Logo";
        for (const char part : refuseCreate) {
            registry.refuseCreate.insert(parts.at(part).first);
        }
        for (const char part : refuseSet) {
            registry.refuseSet.insert(parts.at(part).first);
        }
        Strings shown;
        RegisterEpaFileType(registry, "C:\\",
                            [&](const std::string& text) { shown.push_back(text); });
        EXPECT_EQ(shown, messages) << refuseCreate << "/" << refuseSet;
        std::string holding;
        for (const char part : std::string("EFC")) {
            const auto& [key, text] = parts.at(part);
            holding += registry.keys[key][""] == text ? std::string(1, part) : "";
        }
        EXPECT_EQ(holding, written) << refuseCreate << "/" << refuseSet;
        EXPECT_TRUE(registry.open.empty());
    }
}

} // namespace
} // namespace kalvero
