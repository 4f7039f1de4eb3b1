#include "canvas/LogoEditor.h"

#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "canvas/Twips.h"
#include "conversion/PreviewImage.h"
#include "document/LogoRaster.h"
#include "document/Palette.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <algorithm>
#include <array>

namespace kalvero {
namespace {

constexpr int CanvasTopTwips = 120;
constexpr int NameGapTwips = 20;

// Outer canvas size in twips: grid shown or hidden, short or tall logo.
int CanvasWidthTwips(bool gridHidden) {
    return gridHidden ? 2120 : 2385;
}

int CanvasHeightTwips(bool gridHidden, bool tall) {
    if (gridHidden) {
        return tall ? 1950 : 1320;
    }
    return tall ? 2100 : 1440;
}

const std::array<QRgb, 16>& ScreenPalette() {
    static const std::array<QRgb, 16> colours = [] {
        std::array<QRgb, 16> result{};
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i] = qRgb(Palette[i].r, Palette[i].g, Palette[i].b);
        }
        return result;
    }();
    return colours;
}

} // namespace

LogoEditor::LogoEditor(LogoDocument& document, LogoPainting& painting, LogoCanvas& canvas,
                       QLabel& epaNameAnzeige, QLabel& koordinaten, PalettePanel& palette,
                       QObject* parent)
    : QObject(parent), document_(document), painting_(painting), canvas_(canvas),
      epaNameAnzeige_(epaNameAnzeige), koordinaten_(koordinaten), palette_(palette) {
    connect(&canvas_, &LogoCanvas::mousePressed, this, &LogoEditor::Picture1_MouseDown);
    connect(&canvas_, &LogoCanvas::mouseMoved, this, &LogoEditor::Picture1_MouseMove);
    connect(&canvas_, &LogoCanvas::mouseReleased, this, [this] { painting_.endStroke(); });
    connect(&canvas_, &LogoCanvas::keyPressed, this, &LogoEditor::Picture1_KeyDown);
}

void LogoEditor::RedrawCanvas() {
    const bool fullScreen = document_.showsFullScreen();
    const int heightTwips = CanvasHeightTwips(GridHidden, document_.TallLogo() || fullScreen);
    canvas_.setOuterSize(QSize(Px(CanvasWidthTwips(GridHidden)), Px(heightTwips)));
    epaNameAnzeige_.move(epaNameAnzeige_.x(), Px(CanvasTopTwips + heightTwips + NameGapTwips));
    showKeyCell();

    if (fullScreen) {
        drawFullScreen();
        return;
    }
    if (document_.showsImageEpa2()) {
        drawImageEpa2();
        canvas_.update();
        return;
    }
    const std::array<QRgb, 16>& colours = ScreenPalette();
    ForEachLogoPixel(document_, CanvasGeometry{GridOffset}, [&](int x, int y, int colour) {
        canvas_.setPixel(x, y, colours[static_cast<std::size_t>(colour)]);
    });
    canvas_.update();
}

void LogoEditor::drawImageEpa2() {
    // As `render` draws it: in its own palette, from the top left, without a grid.
    const FileResult<RgbImage> picture = RenderPreview(document_.ImageEpa2(), {});
    if (!picture) {
        return;
    }
    const RgbImage& image = picture.value();
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb colour = image.at(x, y);
            canvas_.setPixel(x, y, qRgb(colour.r, colour.g, colour.b));
        }
    }
}

void LogoEditor::drawFullScreen() {
    // The whole screen's picture made smaller, in the middle of the canvas; it
    // has no cells to read out.
    koordinaten_.clear();
    canvas_.clear();
    const FileResult<RgbImage> picture = RenderPreview(document_.ImageFullScreen(), {});
    if (!picture) {
        return;
    }
    const RgbImage& image = picture.value();
    const QImage fitted =
        QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
               image.width * 3, QImage::Format_RGB888)
            .scaled(canvas_.image().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QPoint at((canvas_.image().width() - fitted.width()) / 2,
                    (canvas_.image().height() - fitted.height()) / 2);
    for (int y = 0; y < fitted.height(); ++y) {
        for (int x = 0; x < fitted.width(); ++x) {
            canvas_.setPixel(at.x() + x, at.y() + y, fitted.pixel(x, y));
        }
    }
}

void LogoEditor::ShowRaster_Click(bool checked) {
    GridHidden = !checked;
    GridOffset = checked ? 0 : 1;
    canvas_.setBackground(QApplication::palette().color(QPalette::Button));
    RedrawCanvas();
}

bool LogoEditor::pointAt(QPointF position) {
    const std::optional<PointerCell> cell =
        CellUnderPointer(position.x(), position.y(), document_.TallLogo(), GridOffset);
    if (!cell) {
        return false;
    }
    CellColumn = cell->CellColumn;
    CellRow = cell->CellRow;
    lastCell_ = *cell;
    return true;
}

void LogoEditor::Picture1_MouseDown(int button, QPointF position) {
    static_cast<void>(button); // every button paints
    painting_.endStroke();
    if (pointAt(position) && document_.paintable()) {
        PaintCell();
    }
}

void LogoEditor::Picture1_MouseMove(int buttons, QPointF position) {
    if (document_.showsFullScreen() || !pointAt(position)) {
        return;
    }
    koordinaten_.setText(QString::fromStdString(ReadoutText(lastCell_)));
    if (document_.paintable() && buttons == 1) {
        PaintCell();
    }
}

void LogoEditor::Picture1_KeyDown(int key) {
    const int lastRow = document_.layout().cellRows - 1;
    keyColumn_ += key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    keyRow_ += key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
    keyColumn_ = std::clamp(keyColumn_, 0, CellColumns - 1);
    keyRow_ = std::clamp(keyRow_, 0, lastRow);
    if (key == Qt::Key_Space && document_.paintable()) {
        CellColumn = keyColumn_;
        CellRow = keyRow_;
        painting_.endStroke();
        PaintCell();
        painting_.endStroke();
    }
    showKeyCell();
}

void LogoEditor::showKeyCell() {
    if (document_.showsFullScreen()) {
        canvas_.setKeyCell({});
        return;
    }
    // Around the cell, over the grid lines when they are shown.
    keyRow_ = std::min(keyRow_, document_.layout().cellRows - 1);
    canvas_.setKeyCell(QRect((CellWidth + 1 - GridOffset) * keyColumn_ - GridOffset,
                             (CellHeight + 1 - GridOffset) * keyRow_ - GridOffset, CellWidth + 2,
                             CellHeight + 2));
}

void LogoEditor::drawCell(int column, int row, QRgb colour) {
    const QRgb black = ScreenPalette()[0];
    ForEachCellPixel(
        document_, CanvasGeometry{GridOffset}, column, row, 1,
        [&](int x, int y, int set) { canvas_.setPixel(x, y, set != 0 ? colour : black); });
    canvas_.update();
}

void LogoEditor::PaintCell() {
    if (painting_.paint(CellColumn, CellRow, static_cast<std::uint8_t>(palette_.selectedIndex()))) {
        drawCell(CellColumn, CellRow, palette_.colourBar()->colour().rgb());
    }
}

void LogoEditor::undo() {
    drawStep(painting_.undo(), &CellChange::before);
}

void LogoEditor::redo() {
    drawStep(painting_.redo(), &CellChange::after);
}

void LogoEditor::drawStep(const std::vector<CellChange>& step, std::uint8_t CellChange::*value) {
    for (const CellChange& change : step) {
        const std::uint8_t attribute = change.*value;
        drawCell(change.cell % CellColumns, change.cell / CellColumns,
                 ScreenPalette()[attribute > 15 ? 0 : attribute]);
    }
}

} // namespace kalvero
