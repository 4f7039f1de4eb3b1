#pragma once

#include "editor/CommandContext.h"

#include <string>

namespace kalvero {

// Boot in QEMU (F7 and the canvas's context menu): the board's own BIOS draws
// the logo of the new image Save EPA last wrote from the open image, or else
// of the open image, as kalvero-cli bios try checks it; then its screen is
// shown with the verdict.
class QemuBooting {
public:
    explicit QemuBooting(CommandContext& context) : context_(context) {}

    // Why QEMU cannot run here, as the face found it at start; empty when it
    // can.
    void setQemuMissing(std::string reason) { qemuMissing_ = std::move(reason); }
    // The image F7 boots; empty when no image is open.
    std::string target() const;
    std::string caption(Language language) const;
    void boot();

private:
    CommandContext& context_;
    std::string qemuMissing_;
};

} // namespace kalvero
