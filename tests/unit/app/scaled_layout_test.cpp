#include <gtest/gtest.h>

#include "app/scaled_layout.h"

namespace remvana {
namespace {

Rect at(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

struct Expected {
    int dpi;
    Size window, client;
    int leftPanelWidth;
    Rect statusBar, rightPanel, paramLabel;
    int smallImage, headerCell, minWindowWidth, statusPanel1, splitterMin;
};

// 96 is the window as designed (layout.h); the others are 125, 150 and 200 %.
TEST(CreationLayout, ScalesEveryFigureFromTheDesign) {
    using namespace layout;
    // clang-format off
    const Expected cases[] = {
        {96, {kWindowWidth, kWindowHeight}, {kClientWidth, kClientHeight}, kLeftPanelWidth,
         at(0, 624, 875, kStatusBarHeight), at(583, 33, 292, 591),
         at(kParamLabelLeft, kParamLabelTop, kParamLabelWidth, kParamLabelHeight),
         kSmallImageSize, kHeaderFontCellHeight, kMinWindowWidth, kStatusPanel1Width,
         kSplitterMinSize},
        {120, {1104, 846}, {1094, 804}, 726, at(0, 780, 1094, 24), at(729, 41, 365, 739),
         at(9, 36, 338, 615), 40, 16, 1056, 63, 38},
        {144, {1325, 1016}, {1313, 965}, 872, at(0, 936, 1313, 29), at(875, 50, 438, 886),
         at(11, 44, 405, 738), 48, 20, 1268, 75, 45},
        {192, {1766, 1354}, {1750, 1286}, 1162, at(0, 1248, 1750, 38), at(1166, 66, 584, 1182),
         at(14, 58, 540, 984), 64, 26, 1688, 100, 60},
    };
    // clang-format on
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.dpi);
        const CreationLayout layout = creationLayout(e.dpi);
        EXPECT_EQ(e.window, layout.window);
        EXPECT_EQ(e.client, layout.client);
        EXPECT_EQ(e.leftPanelWidth, layout.leftPanelWidth);
        EXPECT_EQ(e.statusBar, layout.panes.statusBar);
        EXPECT_EQ(e.rightPanel, layout.panes.rightPanel);
        EXPECT_EQ(e.paramLabel, layout.paramLabel);
        EXPECT_EQ(e.smallImage, layout.smallImageSize);
        EXPECT_EQ(e.headerCell, layout.headerFontCellHeight);
        EXPECT_EQ(e.minWindowWidth, layout.minWindowWidth);
        EXPECT_EQ(e.statusPanel1, layout.statusPanelWidths[1]);
        // The splitter keeps its minimum on the list's side.
        EXPECT_EQ(e.splitterMin, splitterDragWidth(0, 2000, 300, e.dpi));
    }
}

TEST(LinkLeftWithin, MovesALinkLeftOnlyAsFarAsItsTextNeeds) {
    EXPECT_EQ(45, linkLeftWithin(45, 400, 448));
    EXPECT_EQ(44, linkLeftWithin(45, 404, 448));
    EXPECT_EQ(0, linkLeftWithin(45, 500, 448));
}

} // namespace
} // namespace remvana
