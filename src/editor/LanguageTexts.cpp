#include "editor/LanguageTexts.h"

#include <array>
#include <string_view>

namespace kalvero {
namespace {

bool German(Language language) {
    return language == Language::German;
}

std::string Blanks(int count) {
    return std::string(static_cast<std::size_t>(count), ' ');
}

std::string Join(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += (&line == lines.begin() ? "" : LineBreak) + line;
    }
    return text;
}

std::string AllFiles(Language language) {
    return German(language) ? "Alle Dateien (*.*)|*.*|" : "all Files (*.*)|*.*|";
}

std::string BiosFilter(Language language) {
    return std::string(German(language) ? "BIOS-Abbilder jedes Namens"
                                        : "BIOS images of any name") +
           " (.bin, .rom, .001, .F1 ...)|*|";
}

std::string WrongSizeTitle(Language language, std::uint64_t length) {
    return (German(language) ? "Falsche Dateigroesse - " : "Wrong Filesize - ") +
           std::to_string(length) + " bytes";
}

std::string ProblemReason(Language language, const FileError& error) {
    switch (error.problem) {
    case FileProblem::NotFound:
        return German(language) ? "Die Datei oder der Ordner existiert nicht."
                                : "The file or folder does not exist.";
    case FileProblem::PermissionDenied:
        return German(language) ? "Zugriff verweigert." : "Access denied.";
    case FileProblem::IsFolder:
        return German(language) ? "Das ist keine Datei." : "This is not a file.";
    case FileProblem::NotRegularFile:
        return German(language) ? "Das ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder "
                                  "ein Socket)."
                                : "This is not a regular file (a device, a pipe or a socket).";
    case FileProblem::WriteProtected:
        return German(language) ? "Die Datei ist schreibgeschützt."
                                : "The file is write-protected.";
    case FileProblem::DiskFull:
    case FileProblem::TooLarge:
        return German(language) ? "Kein Platz mehr auf dem Datenträger."
                                : "There is no room left on the disk.";
    case FileProblem::Changed:
        return German(language) ? "Die Datei hat sich beim Lesen geändert."
                                : "The file changed while it was read.";
    default:
        return (German(language) ? "Fehler: " : "Error: ") + error.reason.in(language);
    }
}

std::string ProblemText(Language language, const FileError& error) {
    const std::string reason = ProblemReason(language, error);
    if (error.leftBehind.empty()) {
        return reason;
    }
    return reason + LineBreak +
           (German(language)
                ? "Die temporäre Datei " + error.leftBehind + " konnte nicht gelöscht werden."
                : "The temporary file " + error.leftBehind + " could not be removed.");
}

constexpr std::array<ControlText, 7> Captions{{
    {"Ende_Command", "&Exit", "&Ende"},
    {"LadeEpa_Command", "&Load EPA", "EPA &Laden"},
    {"SichEpa_Command", "&Save EPA", "EPA &Sichern"},
    {"LadeBmp_Command", "Loa&d BMP", "BMP La&den"},
    {"SaveCheck", "&Messages", "&Meldungen"},
    {"InversCheck", "&Negative", "&Negativ"},
    {"ShowRaster", "&Grid", "&Raster"},
}};

constexpr const char* ForegroundEnglish = "foregroundcolor";
constexpr const char* ForegroundGerman = "Vordergrundfarbe";

constexpr std::array<ControlText, 29> ToolTips{{
    {"Farbauswahl", ForegroundEnglish, ForegroundGerman},
    {"Option1_0", ForegroundEnglish, ForegroundGerman},
    {"Option1_1", ForegroundEnglish, ForegroundGerman},
    {"Option1_2", ForegroundEnglish, ForegroundGerman},
    {"Option1_3", ForegroundEnglish, ForegroundGerman},
    {"Option1_4", ForegroundEnglish, ForegroundGerman},
    {"Option1_5", ForegroundEnglish, ForegroundGerman},
    {"Option1_6", ForegroundEnglish, ForegroundGerman},
    {"Option1_7", ForegroundEnglish, ForegroundGerman},
    {"Option1_8", ForegroundEnglish, ForegroundGerman},
    {"Option1_9", ForegroundEnglish, ForegroundGerman},
    {"Option1_10", ForegroundEnglish, ForegroundGerman},
    {"Option1_11", ForegroundEnglish, ForegroundGerman},
    {"Option1_12", ForegroundEnglish, ForegroundGerman},
    {"Option1_13", ForegroundEnglish, ForegroundGerman},
    {"Option1_14", ForegroundEnglish, ForegroundGerman},
    {"Option1_15", ForegroundEnglish, ForegroundGerman},
    {"CreateEpa", "Create EPA from BMP", "Erstellt EPA aus BMP"},
    {"EpaToBmp", "Create BMP from EPA", "Erstellt BMP aus EPA"},
    {"LadeEpa_Command", "Load EPA to edit", "Lade EPA zum Bearbeiten"},
    {"LadeBmp_Command", "Load Bitmap to convert", "Lade Bitmap zum Umwandeln"},
    {"SichEpa_Command", "Save EPA", "Sichere EPA"},
    {"Ende_Command", "Close Kalvero", "Beendet Kalvero"},
    {"Info", "Read me !", "Lies mich !"},
    {"Backup", "Create EPA-Backup [filename].[continuoused number as file-extension]",
     "Erstellt EPA-Backup [Dateiname].[fortlaufende Zahl als Dateierweiterung]"},
    {"SaveCheck", "Show/hide messages to save EPAs",
     "Ein-/Ausblenden der Meldungen zum Sichern der EPAs"},
    {"InversCheck", "Revers the colors (black/white) during conversion from BMP to EPA image",
     "Vertauscht die Farben (schwarz/weiß) beim Umwandeln von BMP nach EPA"},
    {"ShowRaster", "Show/hide grid", "Raster ein-/ausblenden"},
    // The banner's tool tip goes on with the homepage address (ControlTextFor).
    {"Picture2", "Visit the homepage of Kalvero: ", "Besuchen Sie die Kalvero-Homepage: "},
}};

} // namespace

std::span<const ControlText> LanguageCaptions() {
    return Captions;
}

std::span<const ControlText> LanguageToolTips() {
    return ToolTips;
}

std::string ControlTextFor(const ControlText& text, Language language) {
    std::string chosen = German(language) ? text.german : text.english;
    if (std::string_view(text.control) == "Picture2") {
        chosen += HomepageAddress;
    }
    return chosen;
}

std::string BootViewCaption(Language language) {
    return German(language) ? "&Wie der PC es zeigt" : "&As the PC shows it";
}

std::string FullScreenLogoCaption(Language language) {
    return German(language) ? "&Vollbild-Logo" : "&Full-screen logo";
}

std::string SaveFirstQuestion(Language language, const std::string& epaFileName) {
    return German(language) ? "Wollen Sie " + epaFileName + " vorher speichern ?"
                            : "Save Changes to " + epaFileName + " ?";
}

MessageText WrongEpaLengthNotice(Language language, std::uint64_t length) {
    return {WrongSizeTitle(language, length),
            German(language) ? "EPA-Dateigroesse muss 1602 oder 2367 bytes sein !"
                             : "EPA-Filesize must be 1602 or 2367 bytes !"};
}

MessageText Epa2NoticeLoadEpa(Language language, const std::string& fileTitle) {
    if (German(language)) {
        return {"EPA Version 2.0 !",
                Join({"Die Datei " + fileTitle, "besitz das neue EPA-Format der Version 2.0.", "",
                      "Editieren Sie bitte stattdessen die entsprechende Bitmap-Datei !"})};
    }
    return {"EPA Version 2.0 !", Join({fileTitle, "with new EPA format version 2.0.", "",
                                       "Please edit the corresponding bitmap file !"})};
}

MessageText Epa2NoticeCommandLine(Language language, const std::string& fileTitle) {
    if (German(language)) {
        return {"EPA Version 2.0 !",
                Join({"Die Datei " + fileTitle, "besitz das neue EPA-Format der Version 2.0.", "",
                      "Editieren Sie bitte stattdessen die entsprechende Bitmap-Datei",
                      "mit einem Grafikprogramm !"})};
    }
    return {"EPA Version 2.0 !",
            Join({fileTitle, "with new EPA format version 2.0.", "",
                  "Please use a graphic program to edit the corresponding bitmap-file!"})};
}

MessageText BmpRefusal(Language language, std::uint64_t length) {
    const std::string header = German(language)
                                   ? "Breite x Hoehe:" + Blanks(3) + "Farben:" + Blanks(2) +
                                         "Farbtiefe:" + Blanks(2) + "Groesse:"
                                   : "Width x Height:" + Blanks(4) + "Colors:" + Blanks(2) +
                                         "Pixeldepth:" + Blanks(2) + "Size:";
    const std::string lines[] = {
        German(language) ? "BMP-Datei benoetigt folgende Eigenschaften:"
                         : "You need one of the following Bitmap-Formats:",
        "",
        header,
        Blanks(4) + "(pixel)" + Blanks(33) + "(bit)" + Blanks(6) + "(bytes)",
        "136 x" + Blanks(3) + "84" + Blanks(17) + "2" + Blanks(14) + "1" + Blanks(8) + "1742",
        "136 x 126" + Blanks(17) + "2" + Blanks(14) + "1" + Blanks(8) + "2582",
        "136 x" + Blanks(3) + "84" + Blanks(16) + "16" + Blanks(13) + "4" + Blanks(8) + "5830",
        "136 x 126" + Blanks(16) + "16" + Blanks(13) + "4" + Blanks(8) + "8686",
    };
    std::string text;
    for (const std::string& line : lines) {
        text += line + LineBreak;
    }
    return {WrongSizeTitle(language, length), text};
}

MessageText BmpRefusalFor(Language language, const std::string& fileTitle, std::uint64_t length) {
    MessageText refusal = BmpRefusal(language, length);
    refusal.text += LineBreak;
    refusal.text += German(language)
                        ? Join({fileTitle + " hat " + std::to_string(length) + " bytes.",
                                "\"kalvero-cli import\" macht aus jedem Bild eine solche Bitmap."})
                        : Join({fileTitle + " has " + std::to_string(length) + " bytes.",
                                "\"kalvero-cli import\" makes such a bitmap of any picture."});
    return refusal;
}

MessageText FullScreenBmpRefusal(Language language, const std::string& fileTitle,
                                 std::uint64_t length, int width, int height,
                                 std::uint64_t needed) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (German(language)) {
        return {WrongSizeTitle(language, length),
                Join({"Das Vollbild-Logo nimmt nur eine Bitmap seiner Größe:",
                      size + " Pixel, 16 Farben (4 bit), " + std::to_string(needed) + " bytes.",
                      fileTitle + " hat " + std::to_string(length) + " bytes.",
                      "\"kalvero-cli import --full-screen\" macht aus jedem Bild ein "
                      "Vollbild-Logo,",
                      "\"kalvero-cli epa2bmp\" daraus die Bitmap."})};
    }
    return {WrongSizeTitle(language, length),
            Join({"The full-screen logo takes only a bitmap of its size:",
                  size + " pixels, 16 colors (4 bit), " + std::to_string(needed) + " bytes.",
                  fileTitle + " has " + std::to_string(length) + " bytes.",
                  "\"kalvero-cli import --full-screen\" makes a full-screen logo of any picture,",
                  "\"kalvero-cli epa2bmp\" its bitmap."})};
}

std::string ReadMeNews(Language language) {
    if (German(language)) {
        return "WAS KALVERO HEUTE KANN\n"
               "======================\n\n"
               "BIOS-Abbilder: \"EPA Laden\" öffnet auch ein\n"
               "Award-BIOS-Abbild (.bin, .rom, .awd) und zeigt\n"
               "sein Logo. \"EPA Sichern\" schreibt dann ein\n"
               "neues Abbild daneben (board-new.bin); das alte\n"
               "bleibt, wie es ist. Prüfen Sie das neue mit\n"
               "kalvero-cli bios verify, bevor Sie es flashen,\n"
               "und behalten Sie das alte zum Zurückspielen.\n"
               "F5 zeigt das Logo so, wie der PC es zeigt.\n"
               "F6 zeigt das Vollbild-Logo eines Abbilds, das\n"
               "eines hat, und ersetzt es durch eine Bitmap\n"
               "seiner Größe (BMP Laden, dann Kalvero).\n\n"
               "Bilder: kalvero-cli import macht aus jedem Bild\n"
               "(PNG, JPEG, ...) eine Bitmap oder ein EPA-Logo.\n\n"
               "Rückgängig: Strg+Z nimmt das letzte Malen\n"
               "zurück, Strg+Y oder Strg+Umschalt+Z macht es\n"
               "wieder.\n\n\n";
    }
    return "WHAT KALVERO DOES TODAY\n"
           "=======================\n\n"
           "BIOS images: \"Load EPA\" also opens an Award\n"
           "BIOS image (.bin, .rom, .awd) and shows its\n"
           "logo. \"Save EPA\" then writes a new image\n"
           "beside it (board-new.bin); the old one stays\n"
           "as it is. Check the new one with kalvero-cli\n"
           "bios verify before you flash it, and keep the\n"
           "old one to flash back.\n"
           "F5 shows the logo as the PC shows it.\n"
           "F6 shows the full-screen logo of an image that\n"
           "has one, which a bitmap of its size replaces\n"
           "(Load BMP, then Kalvero).\n\n"
           "Pictures: kalvero-cli import makes a bitmap or\n"
           "an EPA logo of any picture (PNG, JPEG, ...).\n\n"
           "Undo: Ctrl+Z takes back the last painting,\n"
           "Ctrl+Y or Ctrl+Shift+Z does it again.\n\n\n";
}

MessageText FileNotOpenedNotice(Language language, const std::string& path,
                                const FileError& error) {
    if (German(language)) {
        return {"Datei nicht geöffnet", Join({"Die Datei " + path, "kann nicht geöffnet werden.",
                                              ProblemText(language, error)})};
    }
    return {"File not opened",
            Join({"The file " + path, "cannot be opened.", ProblemText(language, error)})};
}

MessageText NotSavedNotice(Language language, const std::string& path, const std::string& why) {
    if (German(language)) {
        return {"Nicht gespeichert",
                Join({"Die Datei " + path, "konnte nicht geschrieben werden.", why})};
    }
    return {"Not saved", Join({"The file " + path, "could not be written.", why})};
}

MessageText FileNotSavedNotice(Language language, const std::string& path, const FileError& error) {
    return NotSavedNotice(language, path, ProblemText(language, error));
}

MessageText InputNotReplacedNotice(Language language, const std::string& path, EditorInput input) {
    const bool logo = input == EditorInput::OpenLogo;
    if (German(language)) {
        return NotSavedNotice(language, path,
                              logo ? "Das ist die geöffnete Logo-Datei."
                                   : "Das ist die geladene Bitmap-Datei.");
    }
    return NotSavedNotice(language, path,
                          logo ? "This is the logo file that is open."
                               : "This is the bitmap file that is loaded.");
}

MessageText BackupFailedNotice(Language language, const std::string& path, const FileError& error) {
    if (German(language)) {
        return {"Keine Sicherungskopie",
                Join({"Von " + path + " konnte keine Sicherungskopie angelegt werden.",
                      ProblemText(language, error), "",
                      "Schalten Sie \"EPA Backup\" aus, um die Datei ohne Kopie zu öffnen."})};
    }
    return {"No backup copy",
            Join({"No backup copy of " + path + " could be made.", ProblemText(language, error), "",
                  "Switch off \"EPA Backup\" to open the file without a copy."})};
}

std::string EpaDialogFilter(Language language) {
    return std::string("(*.epa)|*.epa|") + AllFiles(language);
}

std::string OpenDialogFilter(Language language) {
    return std::string(German(language) ? "EPA-Dateien und BIOS-Abbilder|*|"
                                        : "EPA files and BIOS images|*|") +
           "(*.epa)|*.epa|" + BiosFilter(language) + AllFiles(language);
}

std::string ImageSaveFilter(Language language) {
    return BiosFilter(language) + "(*.epa)|*.epa|" + AllFiles(language);
}

MessageText ImageNotOpenedNotice(Language language, const std::string& path, const Reason& reason) {
    if (German(language)) {
        return {"BIOS-Abbild nicht geöffnet",
                Join({"Das BIOS-Abbild " + path, "kann nicht geöffnet werden:", reason.german()})};
    }
    return {"BIOS image not opened",
            Join({"The BIOS image " + path, "cannot be opened:", reason.english()})};
}

MessageText PictureFittedNotice(Language language, const std::string& fileTitle,
                                const Reason& note) {
    if (German(language)) {
        return {"Bild angepasst",
                Join({"Das Bild " + fileTitle,
                      "passt erst mit weniger Details in das Abbild:", note.german()})};
    }
    return {"Picture fitted", Join({"The picture " + fileTitle,
                                    "fits the image only with less detail:", note.english()})};
}

MessageText PictureNotMadeNotice(Language language, const std::string& fileTitle,
                                 const Reason& reason) {
    if (German(language)) {
        return {"Bild nicht geladen", Join({"Aus dem Bild " + fileTitle,
                                            "wird kein Logo dieses Abbilds:", reason.german()})};
    }
    return {"Picture not loaded",
            Join({"The picture " + fileTitle,
                  "cannot be made into this image's logo:", reason.english()})};
}

MessageText BootLogoNotShownNotice(Language language, const std::string& path,
                                   const Reason& reason) {
    if (German(language)) {
        return {"Boot-Logo nicht gezeigt", Join({"Das Boot-Logo des BIOS-Abbilds " + path,
                                                 "kann nicht gezeigt werden:", reason.german(), "",
                                                 "Gezeigt wird nur das Vollbild-Logo."})};
    }
    return {"Boot logo not shown",
            Join({"The boot logo of the BIOS image " + path, "cannot be shown:", reason.english(),
                  "", "Only the full-screen logo is shown."})};
}

MessageText ImageIsOpenNotice(Language language, const std::string& path) {
    if (German(language)) {
        return {"Nicht gespeichert",
                Join({"Die Datei " + path,
                      "ist das geöffnete BIOS-Abbild, das Kalvero nie überschreibt.",
                      "Wählen Sie einen neuen Namen und behalten Sie das alte Abbild, um es "
                      "zurückspielen zu können."})};
    }
    return {"Not saved",
            Join({"The file " + path, "is the BIOS image that is open, which Kalvero never writes.",
                  "Name a new file, and keep the old image to flash back."})};
}

MessageText LogoOnlySavedNotice(Language language, const std::string& path) {
    if (German(language)) {
        return {"EPA-Datei gespeichert",
                Join({"Nur das Logo ist als EPA-Datei " + path + " gespeichert.",
                      "Ein BIOS-Abbild wurde nicht geschrieben: dafür wählen Sie den Filter "
                      "\"BIOS-Abbilder jedes Namens\"."})};
    }
    return {"EPA file saved", Join({"Only the logo was saved, as the EPA file " + path + ".",
                                    "No BIOS image was written: for one, choose the filter "
                                    "\"BIOS images of any name\"."})};
}

std::string ReplaceQuestion(Language language, const std::string& path) {
    return German(language) ? path + " existiert bereits." + LineBreak + "Soll es ersetzt werden?"
                            : path + " already exists." + LineBreak + "Do you want to replace it?";
}

MessageText ImageNotWrittenNotice(Language language, const std::string& path,
                                  const Reason& reason) {
    if (German(language)) {
        return {"Nicht gespeichert",
                Join({"Das neue BIOS-Abbild " + path, "wurde nicht geschrieben:", reason.german(),
                      "", "Das Logo bleibt im Editor."})};
    }
    return {"Not saved", Join({"The new BIOS image " + path, "was not written:", reason.english(),
                               "", "The logo stays in the editor."})};
}

MessageText ImageSavedNotice(Language language, const std::string& path,
                             std::span<const ImageCheck> checks, const Reason& note) {
    const bool german = German(language);
    std::string lines;
    for (const ImageCheck& check : checks) {
        const char* state = check.state == CheckState::Holds ? (german ? "stimmt" : "holds")
                            : check.state == CheckState::Fails
                                ? (german ? "STIMMT NICHT" : "FAILS")
                                : (german ? "nicht benutzt" : "not used");
        lines += std::string(LineBreak) + "  " + check.name + ": " + state;
    }
    if (!note.empty()) {
        lines += std::string(LineBreak) + LineBreak + (german ? "Hinweis: " : "Note: ") +
                 note.in(language);
    }
    if (german) {
        return {"Neues BIOS-Abbild",
                Join({"Das neue BIOS-Abbild " + path + " ist geschrieben.", "",
                      "Die Prüfungen des Boards:" + lines, "",
                      "Behalten Sie das alte Abbild, um es zurückspielen zu können."})};
    }
    return {"New BIOS image",
            Join({"The new BIOS image " + path + " was written.", "", "The board's checks:" + lines,
                  "", "Keep the old image to flash back."})};
}

std::string PictureDialogFilter(Language language) {
    return std::string("(*.bmp)|*.bmp|") + (German(language) ? "Bilder" : "Pictures") +
           " (*.png *.jpg *.gif *.webp *.svg)|*.png;*.jpg;*.jpeg;*.gif;*.webp;*.svg|" +
           AllFiles(language);
}

std::string BmpDialogFilter(Language language) {
    return std::string("(*.bmp)|*.bmp|") + AllFiles(language);
}

} // namespace kalvero
