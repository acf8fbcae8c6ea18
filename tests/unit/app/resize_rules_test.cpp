#include <gtest/gtest.h>

#include "app/layout.h"
#include "app/resize_rules.h"

namespace remvana {
namespace {

FormResizeInput atWidth(int outerWidth, Size client) {
    return {outerWidth, client, layout::kToolButtonWidth, layout::kToolButtonWidth,
            layout::kToolButtonWidth};
}

Rect at(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

TEST(AlignPanes, CreationSizeGivesTheDesignedPanes) {
    const PaneRects panes = alignPanes({875, 643}, 581);
    EXPECT_EQ(at(0, 624, 875, 19), panes.statusBar);
    EXPECT_EQ(at(0, 0, 875, 624), panes.mainPanel);
    EXPECT_EQ(at(0, 0, 875, 624), panes.leftAdvPanel);
    EXPECT_EQ(at(0, 0, 875, 33), panes.topPanel);
    EXPECT_EQ(at(0, 33, 581, 591), panes.leftPanel);
    EXPECT_EQ(at(581, 33, 2, 591), panes.splitter);
    EXPECT_EQ(at(583, 33, 292, 591), panes.rightPanel);
}

TEST(AlignPanes, TinyClientNeverGivesNegativeSizes) {
    const PaneRects panes = alignPanes({10, 25}, 581);
    for (const Rect& r : {panes.statusBar, panes.mainPanel, panes.topPanel, panes.leftPanel,
                          panes.splitter, panes.rightPanel}) {
        EXPECT_GE(r.width(), 0);
        EXPECT_GE(r.height(), 0);
    }
    EXPECT_EQ(10, panes.leftPanel.width());
    EXPECT_EQ(0, panes.rightPanel.width());
}

TEST(FormResize, CreationSizeFigures) {
    const FormResizeResult r = formResize(atWidth(883, {875, 643}));
    EXPECT_EQ(754, r.savetofileLeft);
    EXPECT_EQ(635, r.refreshLeft);
    EXPECT_EQ(576, r.leftPanelWidth);
    EXPECT_EQ(at(578, 33, 297, 591), r.panes.rightPanel);
    EXPECT_EQ(176, r.details.modifyPropertiesLeft);
    EXPECT_EQ(284, r.details.paramLabelWidth);
    EXPECT_EQ(501, r.details.paramLabelHeight);
    EXPECT_EQ(545, r.links.site);
    EXPECT_EQ(558, r.links.suggest);
    EXPECT_EQ(571, r.links.mailTo);
}

TEST(FormResize, WiderWindowGivesAllTheChangeToTheList) {
    const FormResizeResult r = formResize(atWidth(1183, {1175, 643}));
    EXPECT_EQ(1054, r.savetofileLeft);
    EXPECT_EQ(935, r.refreshLeft);
    EXPECT_EQ(876, r.leftPanelWidth);
    EXPECT_EQ(297, r.panes.rightPanel.width());
    // "Refresh" ends 5 pixels before "Save to file ...".
    EXPECT_EQ(5, r.savetofileLeft - (r.refreshLeft + layout::kToolButtonWidth));
}

TEST(FormResize, TallerWindowMovesTheLinksAndLengthensTheLabel) {
    const FormResizeResult base = formResize(atWidth(883, {875, 643}));
    const FormResizeResult taller = formResize(atWidth(883, {875, 743}));
    EXPECT_EQ(base.links.site + 100, taller.links.site);
    EXPECT_EQ(base.links.suggest + 100, taller.links.suggest);
    EXPECT_EQ(base.links.mailTo + 100, taller.links.mailTo);
    EXPECT_EQ(base.details.paramLabelHeight + 100, taller.details.paramLabelHeight);
    // The link block ends 7 pixels above the pane's bottom edge, under the label.
    EXPECT_EQ(taller.panes.rightPanel.height() - 7, taller.links.mailTo + 13);
    EXPECT_LT(29 + taller.details.paramLabelHeight, taller.links.site);
}

TEST(FormResize, NarrowWindowsOverlapTheButtonsAndKeepTheListPaneAtZero) {
    const FormResizeResult narrow = formResize(atWidth(700, {692, 643}));
    EXPECT_EQ(452, narrow.refreshLeft); // left of "Delete Entry"'s right edge, 473
    const FormResizeResult tiny = formResize(atWidth(250, {242, 300}));
    EXPECT_EQ(0, tiny.leftPanelWidth);
    EXPECT_EQ(0, tiny.panes.leftPanel.width());
    EXPECT_EQ(240, tiny.panes.rightPanel.width());
}

TEST(RightAdvPanelResize, KeepsTheButtonAndLabelFittedToThePane) {
    const DetailsPaneFit fit = rightAdvPanelResize({200, 591}, 114);
    EXPECT_EQ(79, fit.modifyPropertiesLeft); // 7 pixels from the right edge
    EXPECT_EQ(187, fit.paramLabelWidth);
    EXPECT_EQ(501, fit.paramLabelHeight);
    const DetailsPaneFit none = rightAdvPanelResize({5, 50}, 114);
    EXPECT_EQ(0, none.paramLabelWidth);
    EXPECT_EQ(0, none.paramLabelHeight);
}

TEST(SplitterDrag, BothSidesKeepThirtyPixels) {
    // LeftAdvPanel 875 wide: the list pane may go from 30 to 875 - 2 - 30.
    EXPECT_EQ(400, splitterDragWidth(400, 875, 581));
    EXPECT_EQ(30, splitterDragWidth(3, 875, 581));
    EXPECT_EQ(30, splitterDragWidth(-50, 875, 581));
    EXPECT_EQ(843, splitterDragWidth(870, 875, 581));
    EXPECT_EQ(843, splitterDragWidth(843, 875, 581));
}

TEST(SplitterDrag, NoRoomForBothMinimumsLeavesTheWidthAlone) {
    EXPECT_EQ(40, splitterDragWidth(10, 61, 40));
    EXPECT_EQ(30, splitterDragWidth(100, 62, 40));
}

TEST(ListPaneFit, FilterStripKeepsItsHeightAndTheListTakesTheRest) {
    EXPECT_EQ(at(3, 3, 575, 20), listPaneFit({581, 591}).filterEdit);
    EXPECT_EQ(at(0, 26, 581, 565), listPaneFit({581, 591}).list);
    EXPECT_EQ(at(3, 3, 994, 20), listPaneFit({1000, 900}).filterEdit);
    EXPECT_EQ(at(0, 26, 1000, 874), listPaneFit({1000, 900}).list);
    const ListPaneFit tiny = listPaneFit({4, 10});
    EXPECT_EQ(at(3, 3, 0, 4), tiny.filterEdit);
    EXPECT_EQ(at(0, 10, 4, 0), tiny.list);
}

} // namespace
} // namespace remvana
