#pragma once
// The program list's columns, its look, and the geometry of its owner-drawn header.
#include <array>
#include <span>
#include <string>

#include "platform/canvas.h"
#include "platform/contrast_colors.h"
#include "platform/display_scale.h"
#include "widgets/listview/list_model.h"

namespace remvana {

enum class ColumnAlignment { Left, Right, Center };

struct ListColumn {
    const char* caption;
    int width;
    ColumnAlignment alignment;
};

inline constexpr std::array<ListColumn, kListColumnCount> kProgramListColumns{{
    {"Application Name", 240, ColumnAlignment::Left},
    {"Size", 70, ColumnAlignment::Right},
    {"Last Used", 100, ColumnAlignment::Right},
    {"Frequency", 70, ColumnAlignment::Right},
}};

// A column the list shows: which of a row's texts it holds (0 the caption, k the sub-item
// k - 1), its caption, alignment and width in pixels.
struct ShownListColumn {
    int text = 0;
    std::string caption;
    ColumnAlignment alignment = ColumnAlignment::Left;
    int width = 0;
};

inline constexpr Color kListBackground = rgb(0xFF, 0xFF, 0xFF);
inline constexpr Color kListTextColor = rgb(0x08, 0x37, 0x72);
inline constexpr Color kDimmedTextColor = rgb(0x90, 0x90, 0x90);
inline constexpr Color kHeaderColor = rgb(0xC1, 0xDA, 0xFB);
inline constexpr Color kHeaderDivider = rgb(0x80, 0x80, 0x80);
inline constexpr int kHeaderFontCellHeight = 13;

// The colours the list and its header draw with: its own, or under high contrast the
// system's (window and window text for the rows, grey text for dimmed ones, the button
// colours for the header).
struct ListColors {
    Color background = kListBackground;
    Color text = kListTextColor;
    Color dimmedText = kDimmedTextColor;
    Color header = kHeaderColor;
    Color headerDivider = kHeaderDivider;
    Color headerText = systemColor(kColorWindowText);
    bool operator==(const ListColors&) const = default;
};
ListColors listColors(bool highContrast);

inline const Font kListFont{"Tahoma", -11};
inline const Font kHeaderFont{"MS Sans Serif", -11}; // the captions
// The header bar takes its height from its own font: a cell height of 13 pixels.
inline const Font kHeaderHeightFont{"MS Sans Serif", kHeaderFontCellHeight};
inline constexpr int kSortMarkIndent = 16;

// Column 0 takes what the others leave of the client width, never less than nothing.
int nameColumnWidth(int clientWidth, std::span<const int> otherWidths);
int nameColumnWidth(int clientWidth, int sizeWidth, int lastUsedWidth, int frequencyWidth);

// How one header item is painted: fill, a divider line at its right edge, and the caption.
struct HeaderItemPaint {
    Rect fill;
    int dividerX = 0;  // one pixel wide, from fill.top to fill.bottom
    Rect trailingFill; // the header's empty area right of the last column; may be empty
    Rect text;         // caption box: single line, top, ellipsis when too long
    ColumnAlignment alignment = ColumnAlignment::Left;
};

// `item` is the item's rectangle in header coordinates; `headerWidth` the list's full width.
// The sort mark's room is scaled from 96 DPI to `dpi`.
HeaderItemPaint planHeaderItem(const Rect& item, int column, int columnCount, int markedColumn,
                               ColumnAlignment alignment, int headerWidth, int dpi = kDesignDpi);

} // namespace remvana
