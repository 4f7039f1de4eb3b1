#include "document/LanguageTexts.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace kalvero
