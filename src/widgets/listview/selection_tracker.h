#pragma once
// Turns the list control's per-row state changes into selection events in a fixed order:
// when the selection moves, the row that lost it is reported before the row that gained it,
// whatever order the control announces them in.
#include <cstdint>
#include <functional>
#include <optional>

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

    void rowChanged(std::uint32_t rowId, SelectionChange change);
    // The rows are gone: forget the selection without raising anything.
    void reset() { selected_.reset(); }
    std::optional<std::uint32_t> selectedRow() const { return selected_; }

  private:
    Listener listener_;
    std::optional<std::uint32_t> selected_;
};

} // namespace remvana
