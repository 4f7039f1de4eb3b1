#pragma once

#include "base/FileResult.h"

#include <cstdint>
#include <span>
#include <string>

namespace kalvero {

// Every text of the program that differs between the two languages lives in
// LanguageTexts.cpp, English and German side by side.

enum class Language { English, German };

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

std::string SaveFirstQuestion(Language language, const std::string& epaFileName);
MessageText WrongEpaLengthNotice(Language language, std::uint64_t length);
MessageText Epa2NoticeLoadEpa(Language language, const std::string& fileTitle);
MessageText Epa2NoticeCommandLine(Language language, const std::string& fileTitle);
MessageText BmpRefusal(Language language, std::uint64_t length);
// A file that is not there or cannot be opened.
MessageText FileNotOpenedNotice(Language language, const std::string& path, const FileError& error);
// A save or export that could not be written; the old file is unchanged.
MessageText FileNotSavedNotice(Language language, const std::string& path, const FileError& error);
// The backup copy made before opening a logo failed.
MessageText BackupFailedNotice(Language language, const std::string& path, const FileError& error);

std::string EpaDialogFilter(Language language);
std::string BmpDialogFilter(Language language);

inline constexpr const char* QuestionTitle = "Kalvero";

} // namespace kalvero
