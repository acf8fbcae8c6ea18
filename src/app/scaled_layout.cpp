#include "app/scaled_layout.h"

namespace remvana {

CreationLayout creationLayout(int dpi) {
    using namespace layout;
    auto s = [dpi](int px) { return scaled(px, dpi); };
    CreationLayout at;
    at.dpi = dpi;
    at.window = {s(kWindowWidth), s(kWindowHeight)};
    at.client = {s(kClientWidth), s(kClientHeight)};
    at.leftPanelWidth = s(kLeftPanelWidth);
    at.toolButton = {s(kToolButtonWidth), s(kToolButtonHeight)};
    // The same sum as kMinWindowWidth, from the scaled pieces the resize places: "Undo"'s
    // right edge, the gap, and what formResize keeps right of "Refresh".
    at.minWindowWidth =
        s(kUndoButton.left) + at.toolButton.cx + s(5) + s(15) + 2 * at.toolButton.cx + s(5);
    at.panes = alignPanes(at.client, at.leftPanelWidth, dpi);
    at.listPane = listPaneFit({at.panes.leftPanel.width(), at.panes.leftPanel.height()}, dpi);
    at.paramLabel = scaledRect({kParamLabelLeft, kParamLabelTop, kParamLabelLeft + kParamLabelWidth,
                                kParamLabelTop + kParamLabelHeight},
                               dpi);
    at.paramLabelLineSpacing = s(kParamLabelLineSpacing);
    at.paramLabelShadowOffset = s(kParamLabelShadowOffset);
    at.smallImageSize = s(kSmallImageSize);
    at.labelImageSize = s(16);
    at.statusPanelWidths = {s(kStatusPanel0Width), s(kStatusPanel1Width)};
    at.statusTextOffset = s(kStatusTextOffset);
    at.headerFontCellHeight = s(kHeaderFontCellHeight);
    for (std::size_t i = 0; i < at.columnWidths.size(); ++i)
        at.columnWidths[i] = s(kProgramListColumns[i].width);
    return at;
}

Rect placedAt(const layout::ButtonPlacement& button, int dpi) {
    const int left = scaled(button.left, dpi);
    const int top = scaled(button.top, dpi);
    return {left, top, left + scaled(layout::kToolButtonWidth, dpi),
            top + scaled(layout::kToolButtonHeight, dpi)};
}

Point placedAt(const layout::LinkPlacement& link, int dpi) {
    return {scaled(link.left, dpi), scaled(link.top, dpi)};
}

} // namespace remvana
