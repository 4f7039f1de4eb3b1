#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvero {

class CommandContext;
class EpaSaving;
struct MessageText;

// Load BMP: checks a bitmap by its size, shows it and keeps it for Create EPA;
// a 16-colour bitmap becomes an EPA 2.0 image at once. While a BIOS image's
// EPA 2.0 or full-screen logo is shown, a 16-colour bitmap of its size is
// taken as it is and any other picture is made into that logo, fitted to the
// image's room.
class BmpLoading {
public:
    BmpLoading(CommandContext& context, EpaSaving& saving) : context_(context), saving_(saving) {}

    void LadeBmp_Command_Click();
    // Load BMP on a file named already (dropped on the window): the same
    // questions, checks and notices, without the file dialog.
    void LoadBmpFile(const std::string& path);
    // No bitmap loaded: no preview, nothing pending, Create EPA disabled.
    void dropBitmap();

private:
    void loadBmp(const std::optional<std::string>& given);
    // The save-first question about the logo on the canvas, which the
    // bitmap's logo is to replace; false when a save it asked for was not
    // made. discard: the logo file is given up once a bitmap is loaded.
    bool askFirst(bool& discard);
    void failed();
    // After the common part of Load BMP: the bitmap of length bytes at path
    // checked, read and shown for the full-screen logo or the boot logo.
    void loadFullScreenBmp(const std::string& path, std::uint64_t length);
    void loadBootBmp(const std::string& path, std::uint64_t length, bool discard);
    // Any other picture made into the image's EPA 2.0 logo or (fullScreen)
    // its full-screen logo, fitted to its room as bios replace fits it;
    // undecodable is the notice when the face cannot read it.
    // False when it was not loaded.
    bool loadPicture(const std::string& path, bool fullScreen, const MessageText& undecodable);
    // Answered No to the save-first question: the logo file is given up.
    void giveUpLogoFile();
    // A bitmap refused by its size: the notice, and no name shown.
    void refused(const MessageText& notice);
    // The file read and shown beside the canvas, its name shown; nothing
    // (after failed()) when it cannot be.
    std::optional<std::vector<std::uint8_t>> readShown(const std::string& path,
                                                       std::uint64_t length);

    CommandContext& context_;
    EpaSaving& saving_;
};

} // namespace kalvero
