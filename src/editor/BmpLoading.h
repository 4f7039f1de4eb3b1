#pragma once

#include <optional>
#include <string>

namespace kalvero {

class CommandContext;
class EpaSaving;

// Load BMP: checks a bitmap by its size, shows it and keeps it for Create EPA;
// a 16-colour bitmap becomes an EPA 2.0 image at once. While the full-screen
// logo is shown, only a 16-colour bitmap of its size is taken.
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

    CommandContext& context_;
    EpaSaving& saving_;
};

} // namespace kalvero
