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

TEST(LanguageTexts, EpaNoticesInBothLanguages) {
    struct Case {
        MessageText message;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {WrongEpaLengthNotice(Language::English, 1000), "Wrong Filesize - 1000 bytes",
         "EPA-Filesize must be 1602 or 2367 bytes !"},
        {WrongEpaLengthNotice(Language::German, 0), "Falsche Dateigroesse - 0 bytes",
         "EPA-Dateigroesse muss 1602 oder 2367 bytes sein !"},
        {Epa2NoticeLoadEpa(Language::English, "new.epa"), "EPA Version 2.0 !",
         "new.epa\r\nwith new EPA format version 2.0.\r\n\r\n"
         "Please edit the corresponding bitmap file !"},
        {Epa2NoticeLoadEpa(Language::German, "neu.epa"), "EPA Version 2.0 !",
         "Die Datei neu.epa\r\nbesitz das neue EPA-Format der Version 2.0.\r\n\r\n"
         "Editieren Sie bitte stattdessen die entsprechende Bitmap-Datei !"},
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

TEST(LanguageTexts, QuestionAndDialogFilters) {
    EXPECT_EQ(SaveFirstQuestion(Language::English, "/l/a.epa"), "Save Changes to /l/a.epa ?");
    EXPECT_EQ(SaveFirstQuestion(Language::German, "/l/a.epa"),
              "Wollen Sie /l/a.epa vorher speichern ?");
    EXPECT_EQ(EpaDialogFilter(Language::English), "(*.epa)|*.epa|all Files (*.*)|*.*|");
    EXPECT_EQ(EpaDialogFilter(Language::German), "(*.epa)|*.epa|Alle Dateien (*.*)|*.*|");
    EXPECT_EQ(BmpDialogFilter(Language::English), "(*.bmp)|*.bmp|all Files (*.*)|*.*|");
    EXPECT_EQ(BmpDialogFilter(Language::German), "(*.bmp)|*.bmp|Alle Dateien (*.*)|*.*|");
}

TEST(LanguageTexts, ToolTipsCoverTheSixteenPaletteButtonsAndEndWithTheBanner) {
    const auto tips = LanguageToolTips();
    ASSERT_EQ(tips.size(), 29U);
    EXPECT_STREQ(tips[0].control, "Farbauswahl");
    EXPECT_STREQ(tips[16].control, "Option1_15");
    EXPECT_EQ(ControlTextFor(tips[28], Language::English),
              "Visit the homepage of Kalvero: https://kalvero.example.org");
    EXPECT_EQ(ControlTextFor(tips[28], Language::German),
              "Besuchen Sie die Kalvero-Homepage: https://kalvero.example.org");
    EXPECT_EQ(ControlTextFor(tips[26], Language::German),
              "Vertauscht die Farben (schwarz/wei\xC3\x9F) beim Umwandeln von BMP nach EPA");
}

} // namespace
} // namespace kalvero
