#include "editor/PaintHistory.h"

#include <algorithm>

namespace kalvero {

void PaintHistory::followLogo(std::uint64_t generation) {
    if (generation != generation_) {
        done_.clear();
        undone_.clear();
        strokeOpen_ = false;
        generation_ = generation;
    }
}

void PaintHistory::record(int cell, std::uint8_t before, std::uint8_t after) {
    if (strokeOpen_) {
        Step& stroke = done_.back();
        const auto same = std::find_if(stroke.begin(), stroke.end(),
                                       [cell](const CellChange& c) { return c.cell == cell; });
        if (same != stroke.end()) {
            same->after = after;
            return;
        }
    }
    if (before == after) {
        return;
    }
    if (!strokeOpen_) {
        done_.emplace_back();
        undone_.clear();
        strokeOpen_ = true;
        if (done_.size() > MaxSteps) {
            done_.pop_front();
        }
    }
    done_.back().push_back({cell, before, after});
}

void PaintHistory::endStroke() {
    if (!strokeOpen_) {
        return;
    }
    strokeOpen_ = false;
    // A stroke that went back over its cells to their old colours changed nothing.
    Step& stroke = done_.back();
    std::erase_if(stroke, [](const CellChange& c) { return c.before == c.after; });
    if (stroke.empty()) {
        done_.pop_back();
    }
}

std::vector<CellChange> PaintHistory::undo() {
    endStroke();
    return MoveLast(done_, undone_);
}

std::vector<CellChange> PaintHistory::redo() {
    endStroke();
    return MoveLast(undone_, done_);
}

std::vector<CellChange> PaintHistory::MoveLast(std::deque<Step>& from, std::deque<Step>& to) {
    if (from.empty()) {
        return {};
    }
    to.push_back(std::move(from.back()));
    from.pop_back();
    return to.back();
}

} // namespace kalvero
