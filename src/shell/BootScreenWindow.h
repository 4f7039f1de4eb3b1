#pragma once

#include "editor/Dialogs.h"

#include <QDialog>

namespace kalvero {

// The screen the board's BIOS drew in QEMU, scaled to fit, under the verdict
// and over the report; Escape or Close closes it.
class BootScreenWindow final : public QDialog {
    Q_OBJECT

public:
    BootScreenWindow(const BootScreenRequest& request, QWidget* parent);
};

// Boots the image in QEMU on a thread of its own under a progress dialog
// with Cancel, so that the window stays alive.
BootOutcome BootWithProgress(const BootRequest& request, QWidget* parent);

} // namespace kalvero
