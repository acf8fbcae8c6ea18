#include "app/resize_rules.h"

#include <algorithm>

#include "app/layout.h"

namespace remvana {

namespace {
Rect rectAt(int left, int top, int width, int height) {
    return {left, top, left + std::max(0, width), top + std::max(0, height)};
}
} // namespace

PaneRects alignPanes(Size client, int leftPanelWidth) {
    using namespace layout;
    PaneRects panes;
    const int width = std::max(0, client.cx);
    const int bodyHeight = std::max(0, client.cy - kStatusBarHeight);
    panes.statusBar = rectAt(0, bodyHeight, width, std::min(client.cy, kStatusBarHeight));
    panes.mainPanel = rectAt(0, 0, width, bodyHeight);
    panes.leftAdvPanel = panes.mainPanel;

    const int topHeight = std::min(bodyHeight, kTopPanelHeight);
    const int paneHeight = bodyHeight - topHeight;
    const int listWidth = std::clamp(leftPanelWidth, 0, width);
    const int splitterWidth = std::min(kSplitterWidth, width - listWidth);
    panes.topPanel = rectAt(0, 0, width, topHeight);
    panes.leftPanel = rectAt(0, topHeight, listWidth, paneHeight);
    panes.splitter = rectAt(listWidth, topHeight, splitterWidth, paneHeight);
    const int rightLeft = listWidth + splitterWidth;
    panes.rightPanel = rectAt(rightLeft, topHeight, width - rightLeft, paneHeight);
    return panes;
}

ListPaneFit listPaneFit(Size listPane) {
    using namespace layout;
    const int width = std::max(0, listPane.cx);
    const int strip = std::min(std::max(0, listPane.cy), kFilterStripHeight);
    ListPaneFit fit;
    fit.filterEdit = rectAt(kFilterEditMargin, kFilterEditMargin, width - 2 * kFilterEditMargin,
                            strip - 2 * kFilterEditMargin);
    fit.list = rectAt(0, strip, width, listPane.cy - strip);
    return fit;
}

DetailsPaneFit rightAdvPanelResize(Size pane, int modifyPropertiesWidth) {
    DetailsPaneFit fit;
    fit.modifyPropertiesLeft = pane.cx - 7 - modifyPropertiesWidth;
    fit.paramLabelWidth = std::max(0, pane.cx - 13);
    fit.paramLabelHeight = std::max(0, pane.cy - 90);
    return fit;
}

LinkTops linkTopsFor(int paneHeight) {
    return {paneHeight - 46, paneHeight - 33, paneHeight - 20};
}

FormResizeResult formResize(const FormResizeInput& in) {
    FormResizeResult result;
    result.savetofileLeft = in.outerWidth - 15 - in.savetofileWidth;
    result.refreshLeft = in.outerWidth - 15 - in.refreshWidth - in.savetofileWidth - 5;
    result.leftPanelWidth = std::max(0, in.outerWidth - 307);
    result.panes = alignPanes(in.client, result.leftPanelWidth);
    const Size pane{result.panes.rightPanel.width(), result.panes.rightPanel.height()};
    result.details = rightAdvPanelResize(pane, in.modifyPropertiesWidth);
    result.links = linkTopsFor(pane.cy);
    return result;
}

int splitterDragWidth(int proposedLeft, int containerWidth, int currentWidth) {
    using namespace layout;
    const int highest = containerWidth - kSplitterWidth - kSplitterMinSize;
    if (highest < kSplitterMinSize) return currentWidth;
    return std::clamp(proposedLeft, kSplitterMinSize, highest);
}

} // namespace remvana
