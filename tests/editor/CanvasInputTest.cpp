// The canvas's input as both faces pass it in: pointer positions in pixels of
// the drawing area, buttons and keys.

#include "editor/support/SessionFixture.h"

#include <functional>

namespace kalvero::test {
namespace {

using Top = std::vector<int>; // attributes of the first five cells of the top row

class CanvasInputTest : public SessionFixture {
protected:
    CanvasInputTest() { quiet(); }

    CanvasInput& input() { return session.canvasInput(); }
    CanvasOutcome press(double x, int buttons = 1) {
        return input().pointer(PointerKind::Press, x, 1, buttons, colour);
    }
    CanvasOutcome move(double x, int buttons = 1) {
        return input().pointer(PointerKind::Move, x, 1, buttons, colour);
    }
    // Presses on the first cell of the top row, drags over the others and lets go.
    void stroke(int paint, const std::vector<int>& cells) {
        colour = static_cast<std::uint8_t>(paint);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            i == 0 ? press(9.0 * cells[i] + 4) : move(9.0 * cells[i] + 4);
        }
        input().pointer(PointerKind::Release, 0, 0, 0, 0);
    }
    Top top() {
        Top cells;
        for (int column = 0; column < 5; ++column) {
            cells.push_back(document().CellAttribute(column, 0));
        }
        return cells;
    }

    std::uint8_t colour = 12;
};

TEST_F(CanvasInputTest, PressPaintsWithAnyButtonDragWithTheLeftAloneAndOnlyALogo) {
    EXPECT_FALSE(press(10).painted) << "no logo yet";
    load(writeLogo("a.epa", true, 15, 0xFF));
    // press?, button mask, x, column painted?
    const std::tuple<bool, int, int, bool> steps[] = {{true, 2, 10, true},   {true, 4, 19, true},
                                                      {false, 3, 28, false}, {false, 0, 37, false},
                                                      {false, 2, 46, false}, {false, 1, 55, true}};
    for (const auto& [pressed, buttons, x, painted] : steps) {
        const CanvasOutcome outcome = pressed ? press(x, buttons) : move(x, buttons);
        EXPECT_EQ(document().CellAttribute(x / 9, 0), painted ? 12 : 15) << buttons;
        EXPECT_EQ(outcome.painted.has_value(), painted) << buttons;
        EXPECT_EQ(outcome.readout.has_value(), !pressed) << "moves read out";
    }
}

TEST_F(CanvasInputTest, ArrowsMoveTheKeyCellWithinTheLogoAndSpacePaintsIt) {
    load(writeLogo("short.epa", false, 15, 0xFF));
    using enum CanvasKey;
    // keys, grid shown, the frame after them, the cell painted by a Space
    const std::tuple<std::vector<CanvasKey>, bool, CanvasRect, int> cases[] = {
        {{Up, Left, Right, Right, Right, Down, Down, Left}, true, {18, 30, 10, 16}, 2 + 17 * 2},
        {{}, false, {15, 27, 10, 16}, 2 + 17 * 2},
        {std::vector(20, Down), true, {18, 75, 10, 16}, 2 + 17 * 5}, // a short logo has 6 rows
        {std::vector(20, Right), true, {144, 75, 10, 16}, 16 + 17 * 5},
    };
    for (const auto& [keys, grid, frame, painted] : cases) {
        input().setGridShown(grid);
        for (const CanvasKey key : keys) {
            EXPECT_FALSE(input().key(key, 9).painted);
        }
        EXPECT_EQ(input().keyCell(), frame);
        const CanvasOutcome space = input().key(Paint, 9);
        ASSERT_TRUE(space.painted);
        EXPECT_EQ(space.painted->CellColumn + 17 * space.painted->CellRow, painted);
        EXPECT_EQ(document().CellAttribute(painted % 17, painted / 17), 9);
    }
    // Space is a stroke of its own: an undo takes back its cell alone.
    press(4);
    input().key(Paint, 3);
    session.painting().undo();
    EXPECT_EQ(document().CellAttribute(0, 0), 12);
    EXPECT_EQ(document().CellAttribute(16, 5), 9);
}

TEST_F(CanvasInputTest, OneStrokeIsOneStepTakenBackAndDoneAgain) {
    load(writeLogo("a.epa", true, 47, 0xFF));
    const auto undo = [&] {
        session.painting().undo();
    };
    const auto redo = [&] {
        session.painting().redo();
    };
    struct Step {
        std::vector<std::function<void()>> first;
        int colour;
        std::vector<int> cells; // then painted in one stroke
        Top expected;
    };
    const Step steps[] = {
        {{}, 12, {0, 1, 2, 1}, {12, 12, 12, 47, 47}},
        {{}, 9, {4}, {12, 12, 12, 47, 9}},
        {{}, 12, {0}, {12, 12, 12, 47, 9}}, // no change, no step
        {{undo}, 0, {}, {12, 12, 12, 47, 47}},
        {{undo, undo}, 0, {}, {47, 47, 47, 47, 47}},
        {{redo, redo, redo}, 0, {}, {12, 12, 12, 47, 9}},
        {{undo}, 9, {3, 2, 3}, {12, 12, 9, 9, 47}},
        {{redo}, 0, {}, {12, 12, 9, 9, 47}}, // the new stroke dropped the redo
    };
    for (const auto& [first, paint, cells, expected] : steps) {
        for (const auto& action : first) {
            action();
        }
        if (!cells.empty()) {
            stroke(paint, cells);
        }
        ASSERT_EQ(top(), expected);
    }
}

TEST_F(CanvasInputTest, UndoHistoryEndsOnlyWhereTheLogoIsReplaced) {
    const std::string fileLogo = writeLogo("a.epa", true, 2, 0xFF);
    const std::string otherLogo = writeLogo("b.epa", true, 3, 0xFF);
    // what happens, then the top row before and after an undo and two redos
    const std::tuple<std::function<void()>, Top, Top> cases[] = {
        {[&] { loadBitmap(std::nullopt); }, {12, 2, 2, 2, 2}, {12, 9, 2, 2, 2}},
        {[&] { load(otherLogo); }, {3, 3, 3, 3, 3}, {3, 3, 3, 3, 3}},
    };
    for (const auto& [then, before, after] : cases) {
        load(fileLogo);
        stroke(12, {0});
        stroke(9, {1});
        session.painting().undo();
        then();
        EXPECT_EQ(top(), before);
        session.painting().undo();
        session.painting().redo();
        session.painting().redo();
        EXPECT_EQ(top(), after);
    }
}

// The size of the drawing area, and whether leaving would lose work.
TEST_F(CanvasInputTest, SizeFollowsGridAndLogoAndUnsavedNeedsMessagesAndAnEdit) {
    const std::tuple<bool, bool, int, int> sizes[] = {{true, true, 155, 136},
                                                      {true, false, 155, 92},
                                                      {false, true, 137, 126},
                                                      {false, false, 137, 84}};
    for (const auto& [grid, tall, width, height] : sizes) {
        load(writeLogo("logo.epa", tall, 1, 1));
        input().setGridShown(grid);
        EXPECT_EQ(input().size(), (CanvasRect{0, 0, width, height})) << grid << tall;
    }
    EXPECT_FALSE(session.unsaved()) << "opened, not painted";
    stroke(12, {0});
    EXPECT_FALSE(session.unsaved()) << "Messages off";
    controls().messages = true;
    EXPECT_TRUE(session.unsaved());
}

// Nothing when the pointer is right of x = 152 or below y = 89 (short logo)
// or 134 (tall), whatever the grid; to the left and above, cells clamp.
TEST(PointerCell, ReadOutOfBothGridModesAndTheRangeLimits) {
    // x, y, tall logo, grid offset, read-out (none outside the limits)
    const std::tuple<double, double, bool, int, const char*> cases[] = {
        {1, 1, true, 0, "Pixel  x:   1 y:   1\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        {152, 134, true, 0, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152"},
        {135, 83, false, 1, "Pixel  x: 136 y:  84\r\nKoord. x:  16 y:   5\r\nOffset  : 101"},
        // On the grid line x = 9: the next cell, but the last pixel of the one before.
        {9, 15, true, 0, "Pixel  x:   8 y:  14\r\nKoord. x:   1 y:   1\r\nOffset  :  18"},
        {0, 0, true, 0, "Pixel  x:   0 y:   0\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        // Dragged out left and above: cells clamp, pixels go negative, 4 characters unpadded.
        {-100.5, -5, true, 0, "Pixel  x:-101 y:  -5\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        // Grid hidden, y 84..89 of a short logo is row 6, clamped to 5.
        {152, 89, false, 1, "Pixel  x: 153 y:  90\r\nKoord. x:  16 y:   5\r\nOffset  : 101"},
        // The limits are the same with and without the grid.
        {152.9, 0, true, 1, "Pixel  x: 153 y:   1\r\nKoord. x:  16 y:   0\r\nOffset  :  16"},
        {153, 0, true, 1, nullptr},
        {0, 90, false, 0, nullptr},
        {0, 134, true, 1, "Pixel  x:   1 y: 135\r\nKoord. x:   0 y:   8\r\nOffset  : 136"},
        {0, 135, true, 0, nullptr},
    };
    for (const auto& [x, y, tall, gridOffset, text] : cases) {
        const std::optional<PointerCell> cell = CellUnderPointer(x, y, tall, gridOffset);
        EXPECT_EQ(cell ? ReadoutText(*cell) : "", text ? text : "") << x << "," << y;
    }
}

} // namespace
} // namespace kalvero::test
