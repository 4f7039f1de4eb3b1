#pragma once

#include <optional>
#include <span>
#include <string>

namespace kalvero {

class CommandContext;
struct FileDialogRequest;

// Save EPA: the logo as an EPA version-1 file, or, while a BIOS image is
// open, as a new image; and the pending EPA 2.0 image made from a 16-colour
// bitmap.
class EpaSaving {
public:
    explicit EpaSaving(CommandContext& context) : context_(context) {}

    // Proposes EpaFileName, or the default name of a logo made from a bitmap.
    void SichEpa_Command_Click();
    // Saves with the name proposed; true when the logo was written. A
    // cancelled dialog, a refused name or a failed write change nothing.
    bool save(const std::string& proposed);
    void SaveEpa2();

private:
    // The name chosen in the save dialog; none when it was cancelled, or is
    // the open image (refused at once, with a notice). With an image open, the
    // replace question is asked here, after that check.
    std::optional<std::string> chooseTarget(FileDialogRequest& request);
    // A notice and true when path is the BIOS image that is open.
    bool refusedAsOpenImage(const std::string& path);
    bool writeLogo(const std::string& path);
    // The open image with logo in place of its boot or full-screen logo, and
    // the other as the editor holds it, written to path.
    bool writeImage(const std::string& path, std::span<const std::uint8_t> logo, bool fullScreen);
    // The pending EPA 2.0 image went into the new image at path: it is the
    // logo on the canvas now.
    void imageWritten(const std::string& path);

    CommandContext& context_;
};

} // namespace kalvero
