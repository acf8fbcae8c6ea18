#pragma once
// The window's layout at creation for one DPI: every pixel figure of layout.h (and the
// list's columns) scaled from 96 DPI by the one scaling function, so at 96 it is exactly
// layout.h and at any other scale the same window, larger.
#include <array>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "platform/display_scale.h"
#include "widgets/listview/list_columns.h"

namespace remvana {

struct CreationLayout {
    int dpi = kDesignDpi;
    Size window; // outer, frame included
    Size client;
    int leftPanelWidth = 0;
    int minWindowWidth = 0;
    PaneRects panes;
    ListPaneFit listPane;
    Size toolButton;
    Rect paramLabel; // in the details pane
    int paramLabelLineSpacing = 0;
    int paramLabelShadowOffset = 0;
    int smallImageSize = 0; // the list's row images
    int labelImageSize = 0; // the details label's images
    std::array<int, 2> statusPanelWidths{};
    int statusTextOffset = 0;
    int headerFontCellHeight = 0;
    std::array<int, kListColumnCount> columnWidths{};
};

CreationLayout creationLayout(int dpi);

// Where a tool button or a link label goes at `dpi`, in its pane's client coordinates.
Rect placedAt(const layout::ButtonPlacement& button, int dpi);
Point placedAt(const layout::LinkPlacement& link, int dpi);

} // namespace remvana
