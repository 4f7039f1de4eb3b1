#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace kalvero {

// One cell recoloured: its attribute byte before and after.
struct CellChange {
    int cell; // 17 x row + column
    std::uint8_t before;
    std::uint8_t after;
};

// What painting can take back and do again. One stroke, from pressing the
// button to letting it go, is one step. The history belongs to one logo: it
// is forgotten as soon as the logo it was painted on has been replaced or
// reloaded, so undo never carries colours into another logo.
class PaintHistory {
public:
    // The oldest steps beyond this many are forgotten.
    static constexpr std::size_t MaxSteps = 1000;

    // Forgets everything unless `generation` is the logo painted on so far.
    void followLogo(std::uint64_t generation);
    // Adds a recoloured cell to the open stroke, opening one (and dropping
    // what could be redone) at its first real change.
    void record(int cell, std::uint8_t before, std::uint8_t after);
    void endStroke();
    // The changes of the step taken back or done again, nothing when there is
    // none. Each cell appears once in a step.
    std::vector<CellChange> undo();
    std::vector<CellChange> redo();

private:
    using Step = std::vector<CellChange>;

    // Moves the last step of one list to the end of the other; its changes.
    static std::vector<CellChange> MoveLast(std::deque<Step>& from, std::deque<Step>& to);

    std::deque<Step> done_;
    std::deque<Step> undone_;
    bool strokeOpen_ = false;
    std::uint64_t generation_ = 0;
};

} // namespace kalvero
