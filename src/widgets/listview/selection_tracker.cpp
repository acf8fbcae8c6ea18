#include "widgets/listview/selection_tracker.h"

namespace remvana {

SelectionChange selectionChangeOf(std::uint32_t oldState, std::uint32_t newState,
                                  std::uint32_t selectedFlag) {
    const bool was = (oldState & selectedFlag) != 0;
    const bool is = (newState & selectedFlag) != 0;
    if (was == is) return SelectionChange::None;
    return is ? SelectionChange::Selected : SelectionChange::Deselected;
}

void SelectionTracker::rowChanged(std::uint32_t rowId, SelectionChange change) {
    if (several_) {
        if (change == SelectionChange::Selected
                ? rows_.insert(rowId).second
                : change == SelectionChange::Deselected && rows_.erase(rowId) > 0)
            listener_(rowId, change == SelectionChange::Selected);
        return;
    }
    switch (change) {
    case SelectionChange::None:
        return;
    case SelectionChange::Selected:
        if (selected_ == rowId) return;
        // Announced before the old row let go: report the loser first, once.
        if (selected_) {
            const std::uint32_t loser = *selected_;
            selected_.reset();
            listener_(loser, false);
        }
        selected_ = rowId;
        listener_(rowId, true);
        return;
    case SelectionChange::Deselected:
        if (selected_ != rowId) return; // already reported
        selected_.reset();
        listener_(rowId, false);
        return;
    }
}

void SelectionTracker::allDeselected() {
    if (!several_) {
        if (selected_) rowChanged(*selected_, SelectionChange::Deselected);
        return;
    }
    // Taken out one by one, so a listener that asks sees what is still selected.
    while (!rows_.empty())
        rowChanged(*rows_.begin(), SelectionChange::Deselected);
}

std::optional<std::uint32_t> SelectionTracker::selectedRow() const {
    if (!several_) return selected_;
    if (rows_.size() != 1) return std::nullopt;
    return *rows_.begin();
}

} // namespace remvana
