#include "shell/platform/EpaFileType.h"

#include "FakeRegistry.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kalvero {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* Extension = "HKCR\\.EPA";
constexpr const char* FileType = "HKCR\\EPA_auto_file";
constexpr const char* Command = "HKCR\\EPA_auto_file\\shell\\open\\command";

struct Recorder {
    Strings shown;
    ShowRegistrationError show() {
        return [this](const std::string& text) {
            shown.push_back(text);
        };
    }
};

TEST(EpaFileTypeTest, CommandIsTheFolderASingleSeparatorAndTheQuotedPlaceholder) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\Kalvero", "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\""},
        {"C:\\", "C:\\KALVERO.EXE \"%1\""},
        {"D:\\My Tools\\", "D:\\My Tools\\KALVERO.EXE \"%1\""},
        {"D:\\My Tools", "D:\\My Tools\\KALVERO.EXE \"%1\""},
        {"\\\\server\\share\\logo tools", "\\\\server\\share\\logo tools\\KALVERO.EXE \"%1\""},
        {"C:\\Program Files (x86)\\Kalvero 2.0",
         "C:\\Program Files (x86)\\Kalvero 2.0\\KALVERO.EXE \"%1\""},
    };
    for (const auto& [folder, command] : cases) {
        EXPECT_EQ(EpaOpenCommand(folder), command) << folder;
    }
}

TEST(EpaFileTypeTest, ThreeKeysAreWrittenInOrderReplacingAnotherProgram) {
    test::FakeRegistry registry;
    registry.put(Extension, "", "OtherEditor.Logo");
    Recorder messages;
    RegisterEpaFileType(registry, "C:\\Tools\\Kalvero", messages.show());

    EXPECT_EQ(registry.values(Extension).at(""), "EPA_auto_file");
    EXPECT_EQ(registry.values(FileType).at(""), "EPA");
    EXPECT_EQ(registry.values(Command).at(""), "C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\"");
    EXPECT_EQ(registry.calls, (Strings{"create HKCR\\.EPA", "set @=EPA_auto_file", "close",
                                       "create HKCR\\EPA_auto_file", "set @=EPA", "close",
                                       "create HKCR\\EPA_auto_file\\shell\\open\\command",
                                       "set @=C:\\Tools\\Kalvero\\KALVERO.EXE \"%1\"", "close"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(registry.openKeys(), 0);
}

TEST(EpaFileTypeTest, EveryValueThatCannotBeWrittenIsReportedAndTheOthersStillWritten) {
    struct Case {
        Strings refuseCreate;
        Strings refuseSet;
        Strings shown;
        Strings written;
    };
    const Case cases[] = {
        {{},
         {Extension, FileType, Command},
         {"Registration-Error ! [.EPA]", "Registration-Error ! [(standard)=EPA]",
          "Registration-Error ! [EPA_auto_file\\shell\\open\\command]"},
         {}},
        {{}, {FileType}, {"Registration-Error ! [(standard)=EPA]"}, {Extension, Command}},
        // A key that cannot be opened is skipped without a message.
        {{Extension, FileType, Command}, {}, {}, {}},
        {{Extension},
         {Command},
         {"Registration-Error ! [EPA_auto_file\\shell\\open\\command]"},
         {FileType}},
    };
    for (const Case& c : cases) {
        test::FakeRegistry registry;
        registry.refuseCreate.insert(c.refuseCreate.begin(), c.refuseCreate.end());
        registry.refuseSet.insert(c.refuseSet.begin(), c.refuseSet.end());
        Recorder messages;
        RegisterEpaFileType(registry, "C:\\", messages.show());
        EXPECT_EQ(messages.shown, c.shown);
        Strings written;
        for (const char* key : {Extension, FileType, Command}) {
            if (registry.has(key) && registry.values(key).contains("")) {
                written.push_back(key);
            }
        }
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(registry.openKeys(), 0);
    }
}

} // namespace
} // namespace kalvero
