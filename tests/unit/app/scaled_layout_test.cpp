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
    int smallImage, headerCell, minWindowWidth, statusPanel1;
};

// 96 is the window as designed (layout.h); the others are 125, 150 and 200 %.
TEST(CreationLayout, ScalesEveryFigureFromTheDesign) {
    using namespace layout;
    const Expected cases[] = {
        {96,
         {kWindowWidth, kWindowHeight},
         {kClientWidth, kClientHeight},
         kLeftPanelWidth,
         at(0, 624, 875, kStatusBarHeight),
         at(583, 33, 292, 591),
         at(kParamLabelLeft, kParamLabelTop, kParamLabelWidth, kParamLabelHeight),
         kSmallImageSize,
         kHeaderFontCellHeight,
         kMinWindowWidth,
         kStatusPanel1Width},
        {120,
         {1104, 846},
         {1094, 804},
         726,
         at(0, 780, 1094, 24),
         at(729, 41, 365, 739),
         at(9, 36, 338, 615),
         40,
         16,
         1056,
         63},
        {144,
         {1325, 1016},
         {1313, 965},
         872,
         at(0, 936, 1313, 29),
         at(875, 50, 438, 886),
         at(11, 44, 405, 738),
         48,
         20,
         1268,
         75},
        {192,
         {1766, 1354},
         {1750, 1286},
         1162,
         at(0, 1248, 1750, 38),
         at(1166, 66, 584, 1182),
         at(14, 58, 540, 984),
         64,
         26,
         1688,
         100},
    };
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
    }
}

TEST(CreationLayout, ButtonsAndListFollowTheScale) {
    EXPECT_EQ(at(359, 6, 114, 22), placedAt(layout::kDeleteEntryButton, 96));
    EXPECT_EQ(at(539, 9, 171, 33), placedAt(layout::kDeleteEntryButton, 144));
    EXPECT_EQ((Point{107, 857}), placedAt(layout::kMailToLink, 144));
    const CreationLayout layout = creationLayout(144);
    EXPECT_EQ(at(5, 5, 862, 29), layout.listPane.filterEdit); // margin 3 -> 5, strip 26 -> 39
    EXPECT_EQ(at(0, 39, 872, 847), layout.listPane.list);
    EXPECT_EQ(360, layout.columnWidths[0]);
}

// The figures the resize keeps at 96 stay; at 150 % the splitter keeps 45 pixels a side.
TEST(ResizeRulesAtScale, KeepScaledMargins) {
    EXPECT_EQ(30, splitterDragWidth(0, 600, 300));
    EXPECT_EQ(45, splitterDragWidth(0, 900, 300, 144));
    EXPECT_EQ(900 - 3 - 45, splitterDragWidth(2000, 900, 300, 144));
    const DetailsPaneFit fit = rightAdvPanelResize({438, 886}, 171, 144);
    EXPECT_EQ(438 - 11 - 171, fit.modifyPropertiesLeft); // 7 -> 10.5 -> 11
    EXPECT_EQ(886 - 135, fit.paramLabelHeight);
    EXPECT_EQ(886 - 69, linkTopsFor(886, 144).site);
}

} // namespace
} // namespace remvana
