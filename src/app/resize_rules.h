#pragma once
// Where the window's panes and controls go when the window or the details pane changes
// size. Pure arithmetic on sizes, so the window only applies the results. Every figure is
// written for 96 DPI and scaled to the `dpi` the window lays itself out for.
#include <vector>

#include "platform/canvas.h"
#include "platform/display_scale.h"

namespace remvana {

// The aligned panes, each in its parent's client coordinates: the status bar and
// MainAdvPanel in the window, LeftAdvPanel in MainAdvPanel, the rest in LeftAdvPanel.
struct PaneRects {
    Rect statusBar;
    Rect mainPanel;
    Rect leftAdvPanel;
    Rect topPanel;
    Rect leftPanel;
    Rect splitter;
    Rect rightPanel;
};

// Stacks the panes by their alignment: status bar at the bottom, the tool bar on top, then
// the list pane and the splitter from the left and the details pane taking the rest.
// Sizes that would go negative stay at zero.
PaneRects alignPanes(Size client, int leftPanelWidth, int dpi = kDesignDpi);

// Inside the list pane: the filter box in a strip of fixed height across the top, the
// program list below it taking all the rest.
struct ListPaneFit {
    Rect filterEdit;
    Rect list;
};
ListPaneFit listPaneFit(Size listPane, int dpi = kDesignDpi);

// What the details pane's resize handler sets.
struct DetailsPaneFit {
    int modifyPropertiesLeft = 0;
    int paramLabelWidth = 0;
    int paramLabelHeight = 0;
};
// RightAdvPanelResize: the button keeps 7 pixels to the pane's right edge, the label
// keeps 13 pixels of width and 90 of height less than the pane.
DetailsPaneFit rightAdvPanelResize(Size pane, int modifyPropertiesWidth, int dpi = kDesignDpi);

struct LinkTops {
    int site = 0;
    int suggest = 0;
    int mailTo = 0;
};
// The three link labels form a block whose last line ends 7 pixels above the pane's bottom.
LinkTops linkTopsFor(int paneHeight, int dpi = kDesignDpi);
// A link's left edge in the pane: where it was placed, unless its text would run past the
// pane's right edge (text in a larger font grows a little more than the scale); then just
// far enough left to show whole, never left of the pane.
int linkLeftWithin(int left, int width, int paneWidth);

// FormResize steps 1 and 2: the tool buttons anchored right, in their order from the left,
// packed so the last ends 15 pixels left of the window's outer right edge (outerWidth), 5
// pixels between each; their lefts, in the same order.
std::vector<int> rightAnchoredLefts(int outerWidth, const std::vector<int>& widths,
                                    int dpi = kDesignDpi);
// FormResize step 3: the list pane's width for the window's outer width, never below zero.
int listPaneWidthFor(int outerWidth, int dpi = kDesignDpi);

struct FormResizeInput {
    int outerWidth = 0; // W: the window's width with its frame
    Size client;        // the window's client area
    int refreshWidth = 0;
    int savetofileWidth = 0;
    int modifyPropertiesWidth = 0;
    int dpi = kDesignDpi;
};

struct FormResizeResult {
    int savetofileLeft = 0;
    int refreshLeft = 0;
    int leftPanelWidth = 0;
    PaneRects panes;        // after the list pane took its new width
    DetailsPaneFit details; // what the details pane's own resize handler then sets
    LinkTops links;
};

// FormResize: right-aligns "Refresh" and "Save to file ...", gives the list pane W - 307
// (never below zero), and refits the details pane that the alignment leaves.
FormResizeResult formResize(const FormResizeInput& in);

// The list pane's width after the splitter is released at proposedLeft (the splitter's new
// left edge in LeftAdvPanel's coordinates): both sides keep at least minSize pixels. When
// the container cannot give both sides their minimum, the width stays as it was.
int splitterDragWidth(int proposedLeft, int containerWidth, int currentWidth, int dpi = kDesignDpi);

} // namespace remvana
