#include "canvas/LogoEditor.h"

#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "conversion/PreviewImage.h"
#include "document/LogoRaster.h"
#include "document/Palette.h"
#include "editor/EditorSession.h"
#include "editor/WindowPlaces.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <algorithm>
#include <array>

namespace kalvero {
namespace {

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

LogoEditor::LogoEditor(EditorSession& session, LogoCanvas& canvas, QLabel& epaNameAnzeige,
                       QLabel& koordinaten, PalettePanel& palette, QObject* parent)
    : QObject(parent), document_(session.document()), painting_(session.painting()),
      input_(session.canvasInput()), canvas_(canvas), epaNameAnzeige_(epaNameAnzeige),
      koordinaten_(koordinaten), palette_(palette) {
    connect(&canvas_, &LogoCanvas::mousePressed, this, &LogoEditor::Picture1_MouseDown);
    connect(&canvas_, &LogoCanvas::mouseMoved, this, &LogoEditor::Picture1_MouseMove);
    connect(&canvas_, &LogoCanvas::mouseReleased, this,
            [this] { input_.pointer(PointerKind::Release, 0, 0, 0, 0); });
    connect(&canvas_, &LogoCanvas::keyPressed, this, &LogoEditor::Picture1_KeyDown);
}

void LogoEditor::RedrawCanvas() {
    const CanvasRect size = input_.size();
    const QSize outer(size.width + 2 * CanvasFrameWidth, size.height + 2 * CanvasFrameWidth);
    canvas_.setOuterSize(outer);
    epaNameAnzeige_.move(epaNameAnzeige_.x(), canvas_.y() + outer.height() + NameGapPixels);
    showKeyCell();

    if (document_.showsFullScreen()) {
        drawFullScreen();
        return;
    }
    if (document_.showsImageEpa2()) {
        drawImageEpa2();
        canvas_.update();
        return;
    }
    const std::array<QRgb, 16>& colours = ScreenPalette();
    ForEachLogoPixel(document_, CanvasGeometry{input_.gridOffset()}, [&](int x, int y, int colour) {
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
    input_.setGridShown(checked);
    canvas_.setBackground(QApplication::palette().color(QPalette::Button));
    RedrawCanvas();
}

void LogoEditor::Picture1_MouseDown(int button, QPointF position) {
    draw(input_.pointer(PointerKind::Press, position.x(), position.y(), button, colour()));
}

void LogoEditor::Picture1_MouseMove(int buttons, QPointF position) {
    draw(input_.pointer(PointerKind::Move, position.x(), position.y(), buttons, colour()));
}

void LogoEditor::Picture1_KeyDown(int key) {
    const std::pair<int, CanvasKey> keys[] = {{Qt::Key_Left, CanvasKey::Left},
                                              {Qt::Key_Right, CanvasKey::Right},
                                              {Qt::Key_Up, CanvasKey::Up},
                                              {Qt::Key_Down, CanvasKey::Down},
                                              {Qt::Key_Space, CanvasKey::Paint}};
    for (const auto& [qtKey, canvasKey] : keys) {
        if (qtKey == key) {
            draw(input_.key(canvasKey, colour()));
        }
    }
    showKeyCell();
}

std::uint8_t LogoEditor::colour() const {
    return static_cast<std::uint8_t>(palette_.selectedIndex());
}

void LogoEditor::draw(const CanvasOutcome& outcome) {
    if (outcome.readout) {
        koordinaten_.setText(QString::fromStdString(*outcome.readout));
    }
    if (outcome.painted) {
        drawCell(outcome.painted->CellColumn, outcome.painted->CellRow,
                 palette_.colourBar()->colour().rgb());
    }
}

void LogoEditor::showKeyCell() {
    const CanvasRect frame = input_.keyCell();
    canvas_.setKeyCell(QRect(frame.left, frame.top, frame.width, frame.height));
}

void LogoEditor::drawCell(int column, int row, QRgb colour) {
    const QRgb black = ScreenPalette()[0];
    ForEachCellPixel(
        document_, CanvasGeometry{input_.gridOffset()}, column, row, 1,
        [&](int x, int y, int set) { canvas_.setPixel(x, y, set != 0 ? colour : black); });
    canvas_.update();
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
