#include "WebDialogs.h"

#include "PictureFile.h"

#include <emscripten.h>

namespace kalvero::web {
namespace {

// The page's answers wait for the user: the core is paused meanwhile.
EM_ASYNC_JS(int, PageMessage, (int icon, int buttons, const char* title, const char* text), {
    return await Module.face.message(icon, buttons, UTF8ToString(title), UTF8ToString(text));
});

// The chosen path is kept on the page and fetched by TakeChosenPath: a
// paused core cannot be asked for memory to put it in. -1 for cancelled.
EM_ASYNC_JS(int, PageOpenFile, (const char* filter, int filterIndex, const char* initialName), {
    const path =
        await Module.face.openFile(UTF8ToString(filter), filterIndex, UTF8ToString(initialName));
    Module.chosenPath = path;
    return path == null ? -1 : lengthBytesUTF8(path);
});

EM_ASYNC_JS(int, PageSaveFile,
            (const char* filter, int filterIndex, const char* initialName, int confirm), {
                const chosen = await Module.face.saveFile(UTF8ToString(filter), filterIndex,
                                                          UTF8ToString(initialName), !!confirm);
                Module.chosenPath = chosen ? chosen.path : null;
                Module.chosenFilter = chosen ? chosen.filterIndex : filterIndex;
                return chosen ? lengthBytesUTF8(chosen.path) : -1;
            });

EM_JS(void, CopyChosenPath, (char* buffer, int size),
      { stringToUTF8(Module.chosenPath, buffer, size); });

EM_JS(int, ChosenFilter, (), { return Module.chosenFilter; });

// 1 when the folder of the file at path is the user's, given to the page,
// with its names mirrored beside path; 0 when the file's folder lives only
// in the page's memory (the user declined, or the browser cannot).
EM_ASYNC_JS(int, PageBackupFolder, (const char* path),
            { return (await Module.face.backupFolder(UTF8ToString(path))) ? 1 : 0; });

// Writes the backup made at path into the user's folder, and answers how
// that went (a BackupWrite).
EM_ASYNC_JS(int, PageWriteBackup, (const char* path),
            { return await Module.face.writeBackup(UTF8ToString(path)); });

EM_JS(void, PageOpenUrl, (const char* address), { Module.face.openUrl(UTF8ToString(address)); });

// Files live in the page's memory at /files/N/NAME; the user knows them by
// NAME alone.
std::string WithoutFolders(const std::string& text) {
    static constexpr std::string_view Folder = "/files/";
    std::string shown;
    std::size_t at = 0;
    for (std::size_t found = text.find(Folder); found != std::string::npos;
         found = text.find(Folder, at)) {
        std::size_t end = found + Folder.size();
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            ++end;
        }
        const bool numbered = end > found + Folder.size() && end < text.size() && text[end] == '/';
        shown += text.substr(at, found - at);
        if (!numbered) {
            shown += Folder;
        }
        at = numbered ? end + 1 : found + Folder.size();
    }
    return shown + text.substr(at);
}

std::optional<std::string> TakeChosenPath(int length) {
    if (length < 0) {
        return std::nullopt;
    }
    std::string path(static_cast<std::size_t>(length) + 1, '\0');
    CopyChosenPath(path.data(), length + 1);
    path.resize(static_cast<std::size_t>(length));
    return path;
}

} // namespace

int WebDialogs::message(const MessageRequest& request) {
    return PageMessage(static_cast<int>(request.icon), static_cast<int>(request.buttons),
                       request.title.c_str(), WithoutFolders(request.text).c_str());
}

std::optional<std::string> WebDialogs::openFile(const FileDialogRequest& request) {
    const std::optional<std::string> path = TakeChosenPath(
        PageOpenFile(request.filter.c_str(), request.filterIndex, request.initialName.c_str()));
    // A picture the browser decoded is made into a bitmap Load BMP takes.
    return path && IsDecodedPicture(*path) ? std::optional(BitmapFromDecodedPicture(*path)) : path;
}

std::optional<std::string> WebDialogs::saveFile(FileDialogRequest& request) {
    const std::optional<std::string> path =
        TakeChosenPath(PageSaveFile(request.filter.c_str(), request.filterIndex,
                                    request.initialName.c_str(), request.confirmOverwrite ? 1 : 0));
    if (path) {
        request.filterIndex = ChosenFilter();
    }
    return path;
}

FileResult<std::optional<std::string>> WebDialogs::makeBackup(const std::string& path) {
    const bool folder = PageBackupFolder(path.c_str()) == 1;
    FileResult<std::optional<std::string>> backup = MakeBackup(path);
    if (!folder || !backup || !backup.value()) {
        return backup;
    }
    switch (static_cast<BackupWrite>(PageWriteBackup(backup.value()->c_str()))) {
    case BackupWrite::Written:
        return backup;
    case BackupWrite::Denied:
        return FileError{FileProblem::PermissionDenied,
                         Reason::of<"permission denied", "Zugriff verweigert">()};
    case BackupWrite::DiskFull:
        return FileError{FileProblem::DiskFull, Reason::of<"disk full", "Datenträger voll">()};
    case BackupWrite::Failed:
        break;
    }
    return FileError{
        FileProblem::Other,
        Reason::of<"cannot write the file", "die Datei kann nicht geschrieben werden">()};
}

void WebDialogs::openUrl(const std::string& address) {
    PageOpenUrl(address.c_str());
}

} // namespace kalvero::web
