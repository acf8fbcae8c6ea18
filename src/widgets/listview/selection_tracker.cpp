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

} // namespace remvana
