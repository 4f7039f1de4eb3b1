#include "editor/LanguageTexts.h"

#include "bios/ImageInspection.h"
#include "bios/LogoKinds.h"
#include "conversion/Epa2Image.h"
#include "conversion/FileConversion.h"
#include "conversion/PreviewImage.h"
#include "document/FileIo.h"
#include "lh5/Lh5Decoder.h"

#include <gtest/gtest.h>
#include <tuple>

namespace kalvero {
namespace {

TEST(BmpRefusal, TextIsTheFormatTableExactToTheBlank) {
    const std::string table = "    (pixel)                                 (bit)      (bytes)\r\n"
                              "136 x   84                 2              1        1742\r\n"
                              "136 x 126                 2              1        2582\r\n"
                              "136 x   84                16             4        5830\r\n"
                              "136 x 126                16             4        8686\r\n";
    const MessageText english = BmpRefusal(Language::English, 1000);
    EXPECT_EQ(english.title, "Wrong Filesize - 1000 bytes");
    EXPECT_EQ(english.text, "You need one of the following Bitmap-Formats:\r\n\r\n"
                            "Width x Height:    Colors:  Pixeldepth:  Size:\r\n" +
                                table);
    const MessageText german = BmpRefusal(Language::German, 2583);
    EXPECT_EQ(german.title, "Falsche Dateigroesse - 2583 bytes");
    EXPECT_EQ(german.text, "BMP-Datei benoetigt folgende Eigenschaften:\r\n\r\n"
                           "Breite x Hoehe:   Farben:  Farbtiefe:  Groesse:\r\n" +
                               table);
}

TEST(FileNotSavedNotice, TellsWhyInEitherLanguage) {
    const Reason reason =
        Reason::of<"reason in the file layer's words", "Grund der Dateischicht">();
    const std::tuple<FileError, const char*, const char*> cases[] = {
        {{FileProblem::WriteProtected, reason},
         "The file is write-protected.",
         "Die Datei ist schreibgeschützt."},
        {{FileProblem::NotRegularFile, reason},
         "This is not a regular file (a device, a pipe or a socket).",
         "Das ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder ein Socket)."},
        {{FileProblem::IsFolder, reason}, "This is not a file.", "Das ist keine Datei."},
        {{FileProblem::Other, Reason::of<"name too long", "Name zu lang">()},
         "Error: name too long",
         "Fehler: Name zu lang"},
        {{FileProblem::PermissionDenied, reason, "/a/.b.epa.x1Y2z3"},
         "Access denied.\r\nThe temporary file /a/.b.epa.x1Y2z3 could not be removed.",
         "Zugriff verweigert.\r\nDie temporäre Datei /a/.b.epa.x1Y2z3 konnte nicht gelöscht "
         "werden."},
    };
    for (const auto& [error, english, german] : cases) {
        const MessageText inEnglish = FileNotSavedNotice(Language::English, "/a/b.epa", error);
        EXPECT_EQ(inEnglish.title, "Not saved");
        EXPECT_EQ(inEnglish.text,
                  std::string("The file /a/b.epa\r\ncould not be written.\r\n") + english);
        const MessageText inGerman = FileNotSavedNotice(Language::German, "/a/b.epa", error);
        EXPECT_EQ(inGerman.title, "Nicht gespeichert");
        EXPECT_EQ(inGerman.text,
                  std::string("Die Datei /a/b.epa\r\nkonnte nicht geschrieben werden.\r\n") +
                      german);
    }
    // The editor's own refusal, for one of its inputs (the English texts: FileTroubleTest).
    EXPECT_EQ(InputNotReplacedNotice(Language::German, "/a/b.epa", EditorInput::OpenLogo).text,
              "Die Datei /a/b.epa\r\nkonnte nicht geschrieben werden.\r\nDas ist die geöffnete "
              "Logo-Datei.");
}

// A reason of every layer, as a German notice quotes it: German, never the
// English text (the compiler sees to it that both exist and differ).
TEST(ImageNotOpenedNotice, QuotesEveryLayersReasonInTheNoticesLanguage) {
    const std::vector<std::uint8_t> trailer(70), blank(128 * 1024, 0xFF), garbage(9, 0x5A);
    const std::uint8_t shortEpa2[] = {'A', 'W', 'B', 'M', 1};
    const FileError errors[] = {
        ReadFileExactly("/nonexistent/x.epa", 1).error(),
        {FileProblem::NotAccepted, ClassifyFile(5, {}).reason},
        ParseEpa2(shortEpa2).error(),
        EpaFileFromBmp(garbage, false).error(),
        RenderPreview(garbage, {.scale = 0}).error(),
        lh5::DecodeLh5(garbage, 100).error(),
        bios::InspectAwardImage(blank).error(),
        bios::LogoKind(trailer).error(),
    };
    for (const FileError& error : errors) {
        const Reason& reason = error.reason;
        const std::string german = ImageNotOpenedNotice(Language::German, "x", reason).text;
        EXPECT_NE(german.find(reason.german()), std::string::npos) << reason.english();
        EXPECT_EQ(german.find(reason.english()), std::string::npos) << reason.english();
        EXPECT_NE(ImageNotOpenedNotice(Language::English, "x", reason).text.find(reason.english()),
                  std::string::npos);
    }
}

} // namespace
} // namespace kalvero
