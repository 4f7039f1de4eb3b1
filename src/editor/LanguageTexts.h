#pragma once

#include "base/FileResult.h"

#include <cstdint>
#include <span>
#include <string>

namespace kalvero {

// Every text of the program that differs between the two languages lives in
// LanguageTexts.cpp, English and German side by side.

inline constexpr const char* LineBreak = "\r\n";

struct MessageText {
    std::string title;
    std::string text;
};

// A caption or tool tip of a window control, named by the control's object name.
struct ControlText {
    const char* control;
    const char* english;
    const char* german;
};

// Captions and tool tips in the order the language switch sets them.
std::span<const ControlText> LanguageCaptions();
std::span<const ControlText> LanguageToolTips();
std::string ControlTextFor(const ControlText& text, Language language);

// The homepage address shown on the banner's tool tip, the link label and the
// read-me window.
inline constexpr char HomepageAddress[] = "https://kalvero.example.org";

// The context menu's entry and the window that show the logo as the PC does.
std::string BootViewCaption(Language language);
// The context menu's entry that switches between an image's boot logo and its
// full-screen logo.
std::string FullScreenLogoCaption(Language language);

std::string SaveFirstQuestion(Language language, const std::string& epaFileName);
MessageText WrongEpaLengthNotice(Language language, std::uint64_t length);
MessageText Epa2NoticeLoadEpa(Language language, const std::string& fileTitle);
MessageText Epa2NoticeCommandLine(Language language, const std::string& fileTitle);
MessageText BmpRefusal(Language language, std::uint64_t length);
// BmpRefusal, then the file's name and where a bitmap of any picture is made.
MessageText BmpRefusalFor(Language language, const std::string& fileTitle, std::uint64_t length);
// A bitmap that is not the 16-colour bitmap of the full-screen logo's size
// (width x height, needed bytes): its name and size, and where one is made.
MessageText FullScreenBmpRefusal(Language language, const std::string& fileTitle,
                                 std::uint64_t length, int width, int height, std::uint64_t needed);
// What Kalvero does beyond the read-me's text (BIOS images, import, undo),
// in one language, put before the read-me in the read-me window.
std::string ReadMeNews(Language language);
// A file that is not there or cannot be opened.
MessageText FileNotOpenedNotice(Language language, const std::string& path, const FileError& error);
// A save or export that could not be written; the old file is unchanged.
MessageText FileNotSavedNotice(Language language, const std::string& path, const FileError& error);
// The editor's inputs, which none of its outputs may replace: the logo file
// being edited (no export may) and the loaded bitmap (no output may).
enum class EditorInput { OpenLogo, LoadedBitmap };
// A save or export refused because its file is one of the editor's inputs.
MessageText InputNotReplacedNotice(Language language, const std::string& path, EditorInput input);
// The backup copy made before opening a logo failed.
MessageText BackupFailedNotice(Language language, const std::string& path, const FileError& error);

std::string EpaDialogFilter(Language language);
// Load BMP's filter while a BIOS image's EPA 2.0 or full-screen logo, which
// takes any picture, is shown: bitmaps, pictures, all files.
std::string PictureDialogFilter(Language language);
std::string BmpDialogFilter(Language language);
// Load EPA's filter: EPA files and BIOS images, EPA files, BIOS images, all
// files. Real images have any ending (1011.005, 6BX.F1, P5I437FM.BIN), and
// their kind is told by content: the filters with images show every name.
std::string OpenDialogFilter(Language language);
// Save EPA's filter while a BIOS image is open: BIOS images (any name), EPA
// files (its 1-based index is ImageSaveEpaFilter), all files.
std::string ImageSaveFilter(Language language);
inline constexpr int ImageSaveEpaFilter = 2;

// A BIOS image that cannot be opened: its name and the reason the core gives.
MessageText ImageNotOpenedNotice(Language language, const std::string& path, const Reason& reason);
// A BIOS image opened with its full-screen logo only: its boot logo cannot be
// shown, for the reason the core gives.
MessageText BootLogoNotShownNotice(Language language, const std::string& path,
                                   const Reason& reason);
// A save that would write over the BIOS image that is open.
MessageText ImageIsOpenNotice(Language language, const std::string& path);
// With a BIOS image open, Save EPA wrote just the logo, as an EPA file.
MessageText LogoOnlySavedNotice(Language language, const std::string& path);
// The question before a save replaces an existing file.
std::string ReplaceQuestion(Language language, const std::string& path);
// A new image that was not made (the logo does not fit, the image cannot be
// changed): nothing was written, the logo stays.
MessageText ImageNotWrittenNotice(Language language, const std::string& path, const Reason& reason);

// One check of a BIOS image as the board makes it, by its name ("C1", "W").
enum class CheckState { Holds, Fails, NotUsed };
struct ImageCheck {
    std::string name;
    CheckState state;
};
// The new image was written; which of the board's checks hold in it, and the
// core's note beside it, if any.
MessageText ImageSavedNotice(Language language, const std::string& path,
                             std::span<const ImageCheck> checks, const Reason& note);

// A picture made into the image's EPA 2.0 or full-screen logo by Load BMP
// that had to give up detail to fit: the core's note ("fitted: ...").
MessageText PictureFittedNotice(Language language, const std::string& fileTitle,
                                const Reason& note);
// A picture that could not be made into that logo, and the core's reason.
MessageText PictureNotMadeNotice(Language language, const std::string& fileTitle,
                                 const Reason& reason);

inline constexpr const char* QuestionTitle = "Kalvero";

} // namespace kalvero
