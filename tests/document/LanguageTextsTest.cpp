#include "document/LanguageTexts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kalvero {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (std::string::size_type end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// Lengths of the runs of blanks between the words of a line, in order.
std::vector<int> BlankRuns(const std::string& line) {
    std::vector<int> runs;
    int run = 0;
    for (char c : line) {
        if (c == ' ') {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0) {
        runs.push_back(run);
    }
    return runs;
}

TEST(BmpRefusal, TextIsTheFormatTableExactToTheBlank) {
    struct Line {
        int index;
        const char* firstWord;
        std::vector<int> runs;
    };
    const std::vector<Line> shared = {
        {3, "(pixel)", {4, 33, 6}},    {4, "136", {1, 3, 17, 14, 8}}, {5, "136", {1, 1, 17, 14, 8}},
        {6, "136", {1, 3, 16, 13, 8}}, {7, "136", {1, 1, 16, 13, 8}},
    };
    for (const Language language : {Language::English, Language::German}) {
        const MessageText message = BmpRefusal(language, 1000);
        ASSERT_EQ(message.text.substr(message.text.size() - 2), "\r\n");
        const std::vector<std::string> lines = Lines(message.text);
        ASSERT_EQ(lines.size(), 9U); // eight lines, each ended by CR LF
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(lines[8], "");
        for (const Line& line : shared) {
            EXPECT_EQ(BlankRuns(lines[static_cast<std::size_t>(line.index)]), line.runs)
                << "line " << line.index + 1;
        }
        EXPECT_EQ(lines[4], "136 x   84                 2              1        1742");
        EXPECT_EQ(lines[7], "136 x 126                16             4        8686");
    }
    const MessageText english = BmpRefusal(Language::English, 1000);
    EXPECT_EQ(english.title, "Wrong Filesize - 1000 bytes");
    EXPECT_EQ(Lines(english.text)[0], "You need one of the following Bitmap-Formats:");
    EXPECT_EQ(Lines(english.text)[2], "Width x Height:    Colors:  Pixeldepth:  Size:");
    EXPECT_EQ(BlankRuns(Lines(english.text)[2]), (std::vector<int>{1, 1, 4, 2, 2}));

    const MessageText german = BmpRefusal(Language::German, 2583);
    EXPECT_EQ(german.title, "Falsche Dateigroesse - 2583 bytes");
    EXPECT_EQ(Lines(german.text)[0], "BMP-Datei benoetigt folgende Eigenschaften:");
    EXPECT_EQ(Lines(german.text)[2], "Breite x Hoehe:   Farben:  Farbtiefe:  Groesse:");
    EXPECT_EQ(BlankRuns(Lines(german.text)[2]), (std::vector<int>{1, 1, 3, 2, 2}));
    EXPECT_EQ(Lines(german.text)[3],
              "    (pixel)                                 (bit)      (bytes)");
}

TEST(LanguageTexts, CommandLineNoticeOfEpa2InBothLanguages) {
    struct Case {
        MessageText message;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {Epa2NoticeCommandLine(Language::English, "new.epa"), "EPA Version 2.0 !",
         "new.epa\r\nwith new EPA format version 2.0.\r\n\r\n"
         "Please use a graphic program to edit the corresponding bitmap-file!"},
        {Epa2NoticeCommandLine(Language::German, "neu.epa"), "EPA Version 2.0 !",
         "Die Datei neu.epa\r\nbesitz das neue EPA-Format der Version 2.0.\r\n\r\n"
         "Editieren Sie bitte stattdessen die entsprechende Bitmap-Datei\r\n"
         "mit einem Grafikprogramm !"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.message.title, c.title);
        EXPECT_EQ(c.message.text, c.text);
    }
}

} // namespace
} // namespace kalvero
