#include "editor/LogoCreation.h"

#include "conversion/MonoConversion.h"
#include "editor/CommandContext.h"
#include "editor/EditorView.h"
#include "editor/EpaSaving.h"

namespace kalvero {

void LogoCreation::CreateEpa_Click() {
    LogoDocument& document = context_.document;
    EditorControls& controls = context_.controls;
    if (document.Epa2Pending()) {
        saving_.SaveEpa2();
        return;
    }
    // The logo now lives only in memory: a redraw must not reload a file.
    document.madeFromBitmap();
    ConvertMonoBmp(document, document.BmpData(), controls.negative);
    controls.negativeEnabled = false;
    controls.exportEnabled = true;
    controls.saveEnabled = true;
    controls.createEnabled = false;
    context_.showControls();
    context_.view.clearCanvas();
    context_.view.redrawCanvas();
}

} // namespace kalvero
