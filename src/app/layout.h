#pragma once
// The main window's fixed layout: control ids, positions at creation, colours, fonts and
// texts. The Win32 window builds itself from these; the resize rules move things later.
#include <string>

#include "actions/product_links.h"
#include "platform/canvas.h"

namespace remvana::layout {

// Control ids of the window's children; tests and screen readers find controls by them.
enum ControlId : int {
    kStatusBarId = 100,
    kMainPanelId = 101,
    kLeftAdvPanelId = 102,
    kTopPanelId = 103,
    kLeftPanelId = 104,
    kListViewId = 105,
    kSplitterId = 106,
    kRightPanelId = 107,
    kRemoveButtonId = 110,
    kChangeButtonId = 111,
    kRepairButtonId = 112,
    kDeleteEntryButtonId = 113,
    kRefreshButtonId = 114,
    kSavetofileButtonId = 115,
    kModifyPropertiesButtonId = 116,
    kUndoButtonId = 117,
    kStartupLabelId = 120,
    kParamLabelId = 121,
    kSiteLabelId = 122,
    kSuggestLabelId = 123,
    kMailToLabelId = 124,
    kFilterEditId = 130,
};

// Window size at creation (outer, frame included) and the client area it gives.
inline constexpr int kWindowWidth = 883;
inline constexpr int kWindowHeight = 677;
inline constexpr int kClientWidth = 875;
inline constexpr int kClientHeight = 643;

inline constexpr int kStatusBarHeight = 19;
inline constexpr int kTopPanelHeight = 33;
inline constexpr int kLeftPanelWidth = 581;
inline constexpr int kSplitterWidth = 2;
inline constexpr int kSplitterMinSize = 30;

// The filter strip across the top of the list pane: its height stays, the list takes the rest.
inline constexpr int kFilterStripHeight = 26;
inline constexpr int kFilterEditMargin = 3;
inline constexpr const char* kFilterCueText = "Search programs";

inline constexpr int kToolButtonWidth = 114;
inline constexpr int kToolButtonHeight = 22;

struct ButtonPlacement {
    ControlId id;
    int left;
    int top;
    const char* caption;
    bool enabledAtStart;
};

// Tool bar buttons (on TopAdvPanel) and the one button of the details pane.
inline constexpr ButtonPlacement kRemoveButton{kRemoveButtonId, 4, 6, "Remove", false};
inline constexpr ButtonPlacement kChangeButton{kChangeButtonId, 122, 6, "Change", false};
inline constexpr ButtonPlacement kRepairButton{kRepairButtonId, 240, 6, "Repair", false};
inline constexpr ButtonPlacement kDeleteEntryButton{kDeleteEntryButtonId, 359, 6, "Delete Entry",
                                                    false};
// Takes back the last Delete Entry or Modify Properties: right after "Delete Entry", with the
// gap the buttons before it keep.
inline constexpr ButtonPlacement kUndoButton{kUndoButtonId, 477, 6, "Undo", false};
inline constexpr ButtonPlacement kRefreshButton{kRefreshButtonId, 626, 6, "Refresh", true};
inline constexpr ButtonPlacement kSavetofileButton{kSavetofileButtonId, 746, 6, "Save to file ...",
                                                   true};
inline constexpr ButtonPlacement kModifyPropertiesButton{kModifyPropertiesButtonId, 163, 2,
                                                         "Modify Properties", false};

// The narrowest window that still shows every tool button: "Refresh", which the resize
// keeps 248 pixels left of the window's right edge, stays 5 pixels clear of "Undo".
inline constexpr int kMinWindowWidth = kUndoButton.left + kToolButtonWidth + 5 + 248;

// The maker's addresses. Captions show the targets; tooltips name a second host.
inline constexpr const char* kSiteAddress = kProductSiteAddress;
inline constexpr const char* kSuggestAddress = kProductSuggestAddress;
inline constexpr const char* kMailToAddress = kProductMailToAddress;
inline constexpr const char* kLumvexAddress = kProductLumvexAddress;
inline constexpr const char* kSiteTooltip = "http://kelvane-tools.example/remvana/";
inline constexpr const char* kSuggestTooltip = "http://kelvane-tools.example/suggest-feature.html";
inline constexpr const char* kMailToTooltip = "mailto:support@kelvane-tools.example";
inline constexpr const char* kStartupCaption = "Download Lumvex";

struct LinkPlacement {
    ControlId id;
    int left;
    int top;
    const char* caption;
    const char* tooltip;
    Color background;
};

inline constexpr LinkPlacement kStartupLink{
    kStartupLabelId, 20, 5, kStartupCaption, kLumvexAddress, rgb(0xD7, 0xE6, 0xF9)};
inline constexpr LinkPlacement kSiteLink{kSiteLabelId, 35,           542,
                                         kSiteAddress, kSiteTooltip, rgb(0xE9, 0xF1, 0xFA)};
inline constexpr LinkPlacement kSuggestLink{
    kSuggestLabelId, 30, 557, kSuggestAddress, kSuggestTooltip, rgb(0xE9, 0xF1, 0xFA)};
inline constexpr LinkPlacement kMailToLink{
    kMailToLabelId, 71, 571, kMailToAddress, kMailToTooltip, rgb(0xE9, 0xF1, 0xFA)};

// The details label.
inline constexpr int kParamLabelLeft = 7;
inline constexpr int kParamLabelTop = 29;
inline constexpr int kParamLabelWidth = 270;
inline constexpr int kParamLabelHeight = 492;
inline constexpr Color kParamLabelTextColor = rgb(0x08, 0x37, 0x72);
inline constexpr Color kParamLabelHoverColor = rgb(0x56, 0x7D, 0xB0);
inline constexpr Color kParamLabelParamColor = rgb(0x00, 0x00, 0xFF);
inline constexpr Color kParamLabelShadowColor = rgb(0x80, 0x80, 0x80);
inline constexpr int kParamLabelLineSpacing = 6;
inline constexpr int kParamLabelShadowOffset = 2;

// The program list's row images.
inline constexpr int kSmallImageSize = 32;
// Icons are added as rows scroll into view; growing a few at a time would copy the whole
// list again and again for a user paging through thousands of programs.
inline constexpr int kSmallImageGrowBy = 64;

// Status bar.
inline constexpr int kStatusPanel0Width = 100;
inline constexpr int kStatusPanel1Width = 50;
inline constexpr const char* kStatusPanel0Initial = "Version 1.0";
inline constexpr int kStatusTextOffset = 2;
inline constexpr Color kStatusBarBorder = rgb(0x56, 0x7D, 0xB0);
inline constexpr Color kStatusLightColor = rgb(0xD7, 0xE6, 0xF9);
inline constexpr Color kStatusLightColorTo = rgb(0xC7, 0xDC, 0xF8);
inline constexpr Color kStatusLightMirror = rgb(0xB3, 0xD0, 0xF5);
inline constexpr Color kStatusLightMirrorTo = rgb(0xCD, 0xE0, 0xF7);
inline constexpr Color kStatusTextColor = rgb(0x09, 0x20, 0x61);

// Panels: two-half gradient bodies.
inline constexpr Color kPanelColor = rgb(0xE9, 0xF1, 0xFA);
inline constexpr Color kPanelColorTo = rgb(0xC7, 0xD8, 0xED);
inline constexpr Color kPanelMirror = rgb(0xC7, 0xD8, 0xED);
inline constexpr Color kPanelMirrorTo = rgb(0xE7, 0xF2, 0xFF);
inline constexpr Color kPanelTextColor = rgb(0x08, 0x37, 0x72);
inline constexpr int kPanelGradientSteps = 128;

// Tool buttons.
inline constexpr Color kButtonCaptionColor = rgb(0x56, 0x7D, 0xB0);
inline constexpr Color kButtonHotBorder = rgb(0x31, 0x6A, 0xC5);
inline constexpr Color kButtonHotBottom = rgb(0xCB, 0xE1, 0xFC);
inline constexpr int kButtonHotBands = 16;

// Fonts.
inline const Font kWindowFont{"MS Sans Serif", -11, systemColor(kColorWindowText)};
inline const Font kButtonFont{"Tahoma", -11, kButtonCaptionColor, true};
inline const Font kLinkFont{"Tahoma", -11, systemColor(kColorActiveCaption), false, false, true};
inline const Font kParamLabelFont{"Tahoma", -11, kParamLabelTextColor};
inline const Font kStatusBarFont{"Tahoma", -11, kStatusTextColor};

} // namespace remvana::layout
