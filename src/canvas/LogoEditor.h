#pragma once

#include "document/LogoDocument.h"
#include "editor/LogoPainting.h"
#include "editor/PointerCell.h"

#include <QObject>
#include <QPointF>
#include <QRgb>

class QLabel;

namespace kalvero {

class LogoCanvas;
class PalettePanel;

// Draws the logo on the canvas with or without the cell grid, paints cells in
// the chosen colour and keeps the pointer read-out.
class LogoEditor final : public QObject {
    Q_OBJECT

public:
    LogoEditor(LogoDocument& document, LogoPainting& painting, LogoCanvas& canvas,
               QLabel& epaNameAnzeige, QLabel& koordinaten, PalettePanel& palette,
               QObject* parent = nullptr);

    // Sizes the canvas for the logo and the grid, keeps EpaNameAnzeige below
    // it and sets every logo pixel: the logo as it is in memory, with every
    // colour painted on it (no file is read), the open BIOS image's EPA 2.0
    // logo as `render` draws it, or its full-screen logo made smaller to fit.
    void RedrawCanvas();
    // The grid check box: shown exactly when checked; erases the canvas in the
    // system's button colour and redraws.
    void ShowRaster_Click(bool checked);
    void Picture1_MouseDown(int button, QPointF position);
    void Picture1_MouseMove(int buttons, QPointF position);
    // The arrow keys move the keyboard's cell, the space bar paints it.
    void Picture1_KeyDown(int key);
    // Recolours the cell at CellColumn, CellRow and stores the colour.
    void PaintCell();
    // Takes back or does again the last stroke of painting on this logo.
    void undo();
    void redo();

    bool GridHidden = false;
    int GridOffset = 0;
    int CellColumn = 0;
    int CellRow = 0;

private:
    bool pointAt(QPointF position);
    void drawImageEpa2();
    void drawFullScreen();
    void showKeyCell();
    void drawCell(int column, int row, QRgb colour);
    // Redraws the cells of a step taken back or done again, in the
    // attributes `value` picks.
    void drawStep(const std::vector<CellChange>& step, std::uint8_t CellChange::*value);

    LogoDocument& document_;
    LogoPainting& painting_;
    LogoCanvas& canvas_;
    QLabel& epaNameAnzeige_;
    QLabel& koordinaten_;
    PalettePanel& palette_;
    PointerCell lastCell_{};
    int keyColumn_ = 0;
    int keyRow_ = 0;
};

} // namespace kalvero
