#pragma once

#include "document/LogoDocument.h"
#include "editor/CanvasInput.h"
#include "editor/LogoPainting.h"

#include <QObject>
#include <QPointF>
#include <QRgb>

class QLabel;

namespace kalvero {

class EditorSession;
class LogoCanvas;
class PalettePanel;

// Draws the logo on the canvas with or without the cell grid, and passes the
// pointer and the keys to the session's canvas input: draws the cells it
// paints, its read-out and its keyboard cell.
class LogoEditor final : public QObject {
    Q_OBJECT

public:
    LogoEditor(EditorSession& session, LogoCanvas& canvas, QLabel& epaNameAnzeige,
               QLabel& koordinaten, PalettePanel& palette, QObject* parent = nullptr);

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
    // Takes back or does again the last stroke of painting on this logo.
    void undo();
    void redo();

private:
    std::uint8_t colour() const;
    void draw(const CanvasOutcome& outcome);
    void drawImageEpa2();
    void drawFullScreen();
    void showKeyCell();
    void drawCell(int column, int row, QRgb colour);
    // Redraws the cells of a step taken back or done again, in the
    // attributes `value` picks.
    void drawStep(const std::vector<CellChange>& step, std::uint8_t CellChange::*value);

    LogoDocument& document_;
    LogoPainting& painting_;
    CanvasInput& input_;
    LogoCanvas& canvas_;
    QLabel& epaNameAnzeige_;
    QLabel& koordinaten_;
    PalettePanel& palette_;
};

} // namespace kalvero
