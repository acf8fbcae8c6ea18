#include "app/resize_rules.h"

#include <algorithm>

#include "app/layout.h"

namespace remvana {

namespace {
Rect rectAt(int left, int top, int width, int height) {
    return {left, top, left + std::max(0, width), top + std::max(0, height)};
}
} // namespace

PaneRects alignPanes(Size client, int leftPanelWidth, int dpi) {
    using namespace layout;
    const int statusBarHeight = scaled(kStatusBarHeight, dpi);
    PaneRects panes;
    const int width = std::max(0, client.cx);
    const int bodyHeight = std::max(0, client.cy - statusBarHeight);
    panes.statusBar = rectAt(0, bodyHeight, width, std::min(client.cy, statusBarHeight));
    panes.mainPanel = rectAt(0, 0, width, bodyHeight);
    panes.leftAdvPanel = panes.mainPanel;

    const int topHeight = std::min(bodyHeight, scaled(kTopPanelHeight, dpi));
    const int paneHeight = bodyHeight - topHeight;
    const int listWidth = std::clamp(leftPanelWidth, 0, width);
    const int splitterWidth = std::min(scaled(kSplitterWidth, dpi), width - listWidth);
    panes.topPanel = rectAt(0, 0, width, topHeight);
    panes.leftPanel = rectAt(0, topHeight, listWidth, paneHeight);
    panes.splitter = rectAt(listWidth, topHeight, splitterWidth, paneHeight);
    const int rightLeft = listWidth + splitterWidth;
    panes.rightPanel = rectAt(rightLeft, topHeight, width - rightLeft, paneHeight);
    return panes;
}

ListPaneFit listPaneFit(Size listPane, int dpi) {
    using namespace layout;
    const int width = std::max(0, listPane.cx);
    const int strip = std::min(std::max(0, listPane.cy), scaled(kFilterStripHeight, dpi));
    const int margin = scaled(kFilterEditMargin, dpi);
    ListPaneFit fit;
    fit.filterEdit = rectAt(margin, margin, width - 2 * margin, strip - 2 * margin);
    fit.list = rectAt(0, strip, width, listPane.cy - strip);
    return fit;
}

DetailsPaneFit rightAdvPanelResize(Size pane, int modifyPropertiesWidth, int dpi) {
    DetailsPaneFit fit;
    fit.modifyPropertiesLeft = pane.cx - scaled(7, dpi) - modifyPropertiesWidth;
    fit.paramLabelWidth = std::max(0, pane.cx - scaled(13, dpi));
    fit.paramLabelHeight = std::max(0, pane.cy - scaled(90, dpi));
    return fit;
}

LinkTops linkTopsFor(int paneHeight, int dpi) {
    return {paneHeight - scaled(46, dpi), paneHeight - scaled(33, dpi),
            paneHeight - scaled(20, dpi)};
}

int linkLeftWithin(int left, int width, int paneWidth) {
    return std::max(0, std::min(left, paneWidth - width));
}

std::vector<int> rightAnchoredLefts(int outerWidth, const std::vector<int>& widths, int dpi) {
    std::vector<int> lefts(widths.size());
    int right = outerWidth - scaled(15, dpi);
    for (std::size_t i = widths.size(); i-- > 0;) {
        lefts[i] = right - widths[i];
        right = lefts[i] - scaled(5, dpi);
    }
    return lefts;
}

int listPaneWidthFor(int outerWidth, int dpi) {
    return std::max(0, outerWidth - scaled(307, dpi));
}

FormResizeResult formResize(const FormResizeInput& in) {
    FormResizeResult result;
    const std::vector<int> lefts =
        rightAnchoredLefts(in.outerWidth, {in.refreshWidth, in.savetofileWidth}, in.dpi);
    result.refreshLeft = lefts[0];
    result.savetofileLeft = lefts[1];
    result.leftPanelWidth = listPaneWidthFor(in.outerWidth, in.dpi);
    result.panes = alignPanes(in.client, result.leftPanelWidth, in.dpi);
    const Size pane{result.panes.rightPanel.width(), result.panes.rightPanel.height()};
    result.details = rightAdvPanelResize(pane, in.modifyPropertiesWidth, in.dpi);
    result.links = linkTopsFor(pane.cy, in.dpi);
    return result;
}

int splitterDragWidth(int proposedLeft, int containerWidth, int currentWidth, int dpi) {
    using namespace layout;
    const int minSize = scaled(kSplitterMinSize, dpi);
    const int highest = containerWidth - scaled(kSplitterWidth, dpi) - minSize;
    if (highest < minSize) return currentWidth;
    return std::clamp(proposedLeft, minSize, highest);
}

} // namespace remvana
