// The canvas: a full redraw of the logo and the painting of one cell, on the
// real widgets under an offscreen QApplication.

#include "SilentFace.h"
#include "canvas/LogoCanvas.h"
#include "canvas/LogoEditor.h"
#include "canvas/PalettePanel.h"
#include "editor/EditorSession.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <benchmark/benchmark.h>

namespace kalvero {
namespace {

// The widgets of the main window that the editor works on.
struct EditorWidgets {
    SilentFace face;
    EditorSession session{face, face};
    LogoDocument& document = session.document();
    LogoCanvas canvas;
    QLabel epaName;
    QLabel readout;
    PalettePanel palette;
    LogoEditor editor{session, canvas, epaName, readout, palette};

    EditorWidgets() {
        std::vector<std::uint8_t> pattern(EpaDataSize);
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            pattern[i] = static_cast<std::uint8_t>(i * 37 + 48);
        }
        document.openedFile("pattern.epa", pattern);
        canvas.show();
        editor.RedrawCanvas();
    }
};

// A bitmap logo, drawn from memory.
void BM_RedrawCanvas(benchmark::State& state) {
    EditorWidgets widgets;
    widgets.editor.ShowRaster_Click(state.range(0) != 0);
    for (auto _ : state) {
        widgets.editor.RedrawCanvas();
    }
}
BENCHMARK(BM_RedrawCanvas)->ArgName("grid")->Arg(1)->Arg(0);

// A cell painted by a press alone, then with the paint of the whole canvas that the update it
// asks for brings (drawn here into an image, as no screen is there).
void BM_PaintCell(benchmark::State& state) {
    EditorWidgets widgets;
    const bool paint = state.range(0) != 0;
    QImage screen(widgets.canvas.size(), QImage::Format_RGB32);
    int cell = 0;
    for (auto _ : state) {
        const QPointF at(9.0 * (cell % CellColumns) + 4,
                         15.0 * (cell / CellColumns % TallCellRows) + 7);
        widgets.editor.Picture1_MouseDown(1, at);
        if (paint) {
            widgets.canvas.render(&screen);
        }
        ++cell;
    }
}
BENCHMARK(BM_PaintCell)->ArgName("paint")->Arg(0)->Arg(1);

} // namespace
} // namespace kalvero

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
