#include "shell/commands/LogoCreation.h"

#include "canvas/LogoCanvas.h"
#include "canvas/LogoEditor.h"
#include "conversion/MonoConversion.h"
#include "shell/Form1Controls.h"
#include "shell/commands/CommandContext.h"
#include "shell/commands/EpaSaving.h"

#include <QCheckBox>
#include <QPushButton>

namespace kalvero {

void LogoCreation::CreateEpa_Click() {
    LogoDocument& document = context_.document;
    Form1Controls& ui = context_.ui;
    if (document.Epa2Pending()) {
        saving_.SaveEpa2();
        return;
    }
    // The logo now lives only in memory: a redraw must not reload a file.
    document.madeFromBitmap();
    ConvertMonoBmp(document, document.BmpData(), ui.InversCheck->isChecked());
    ui.InversCheck->setEnabled(false);
    ui.EpaToBmp->setEnabled(true);
    ui.SichEpa_Command->setEnabled(true);
    ui.CreateEpa->setEnabled(false);
    ui.Picture1->clear();
    context_.editor.RedrawCanvas();
}

} // namespace kalvero
