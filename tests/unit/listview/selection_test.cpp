#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "widgets/listview/selection_tracker.h"

namespace remvana {

namespace {
constexpr std::uint32_t kSelected = 0x2;
constexpr std::uint32_t kFocused = 0x1;
using Events = std::vector<std::pair<std::uint32_t, bool>>;
} // namespace

TEST(SelectionChange, OnlyTheSelectedFlagCounts) {
    EXPECT_EQ(SelectionChange::Selected, selectionChangeOf(0, kSelected | kFocused, kSelected));
    EXPECT_EQ(SelectionChange::Deselected, selectionChangeOf(kSelected, 0, kSelected));
    EXPECT_EQ(SelectionChange::None, selectionChangeOf(kSelected, kSelected | kFocused, kSelected));
    EXPECT_EQ(SelectionChange::None, selectionChangeOf(kFocused, 0, kSelected));
}

class SelectionEvents : public ::testing::Test {
  protected:
    Events events;
    SelectionTracker tracker{
        [this](std::uint32_t row, bool selected) { events.emplace_back(row, selected); }};
};

TEST_F(SelectionEvents, MovingTheSelectionReportsTheLoserFirstInEitherAnnouncedOrder) {
    tracker.rowChanged(4, SelectionChange::Selected);
    // The control lets go of row 4, then takes row 7.
    tracker.rowChanged(4, SelectionChange::Deselected);
    tracker.rowChanged(7, SelectionChange::Selected);
    // The control takes row 2 before letting go of row 7.
    tracker.rowChanged(2, SelectionChange::Selected);
    tracker.rowChanged(7, SelectionChange::Deselected);
    EXPECT_EQ((Events{{4, true}, {4, false}, {7, true}, {7, false}, {2, true}}), events);
    EXPECT_EQ(2u, tracker.selectedRow());
}

TEST_F(SelectionEvents, RepeatsAndStateNoiseRaiseNothing) {
    tracker.rowChanged(1, SelectionChange::Selected);
    tracker.rowChanged(1, SelectionChange::Selected);
    tracker.rowChanged(1, SelectionChange::None);
    tracker.rowChanged(5, SelectionChange::Deselected);
    EXPECT_EQ((Events{{1, true}}), events);
}

TEST_F(SelectionEvents, ResetForgetsSilently) {
    tracker.rowChanged(3, SelectionChange::Selected);
    tracker.reset();
    tracker.rowChanged(3, SelectionChange::Deselected);
    tracker.rowChanged(0, SelectionChange::Selected);
    EXPECT_EQ((Events{{3, true}, {0, true}}), events);
}

TEST_F(SelectionEvents, WithSeveralAllowedEachRowIsReportedAsItComes) {
    tracker.allowSeveral();
    tracker.rowChanged(4, SelectionChange::Selected);
    tracker.rowChanged(7, SelectionChange::Selected); // Ctrl+click: row 4 stays
    tracker.rowChanged(7, SelectionChange::Selected);
    EXPECT_EQ(2u, tracker.selectedCount());
    EXPECT_EQ(std::nullopt, tracker.selectedRow());
    tracker.rowChanged(4, SelectionChange::Deselected);
    EXPECT_EQ(7u, tracker.selectedRow());
    tracker.rowChanged(2, SelectionChange::Selected);
    tracker.allDeselected();
    EXPECT_EQ(0u, tracker.selectedCount());
    EXPECT_EQ((Events{{4, true}, {7, true}, {4, false}, {2, true}, {2, false}, {7, false}}),
              events);
}

} // namespace remvana
