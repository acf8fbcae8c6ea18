#pragma once
// Turns the list control's per-row state changes into selection events in a fixed order:
// when the selection moves, the row that lost it is reported before the row that gained it,
// whatever order the control announces them in. A list that allows several selected rows
// reports each row's change as it comes, since one row's selection says nothing of another's.
#include <cstdint>
#include <functional>
#include <optional>
#include <set>

namespace remvana {

enum class SelectionChange { None, Selected, Deselected };

// What a change of row state flags means for the selection (other flags do not count).
SelectionChange selectionChangeOf(std::uint32_t oldState, std::uint32_t newState,
                                  std::uint32_t selectedFlag);

class SelectionTracker {
  public:
    // Raised with a row id and whether it is now selected.
    using Listener = std::function<void(std::uint32_t rowId, bool selected)>;
    explicit SelectionTracker(Listener listener) : listener_(std::move(listener)) {}

    // From now on several rows may be selected at once.
    void allowSeveral() { several_ = true; }

    void rowChanged(std::uint32_t rowId, SelectionChange change);
    // Every row let go of its selection at once: each selected row is reported.
    void allDeselected();
    // The rows are gone: forget the selection without raising anything.
    void reset() {
        selected_.reset();
        rows_.clear();
    }
    // The row is gone: it is selected no more, and nothing is raised for it.
    void forget(std::uint32_t rowId) {
        if (selected_ == rowId) selected_.reset();
        rows_.erase(rowId);
    }
    // The selected row, when exactly one is selected.
    std::optional<std::uint32_t> selectedRow() const;
    std::size_t selectedCount() const { return several_ ? rows_.size() : selected_ ? 1 : 0; }

  private:
    Listener listener_;
    bool several_ = false;
    std::optional<std::uint32_t> selected_; // one selected at most
    std::set<std::uint32_t> rows_;          // several allowed
};

} // namespace remvana
