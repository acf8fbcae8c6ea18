#include "widgets/listview/list_columns.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace remvana {

int nameColumnWidth(int clientWidth, std::span<const int> otherWidths) {
    return std::max(
        0, std::accumulate(otherWidths.begin(), otherWidths.end(), clientWidth, std::minus<>()));
}

int nameColumnWidth(int clientWidth, int sizeWidth, int lastUsedWidth, int frequencyWidth) {
    const int others[] = {sizeWidth, lastUsedWidth, frequencyWidth};
    return nameColumnWidth(clientWidth, others);
}

ListColors listColors(bool highContrast) {
    const ListColors own;
    if (!highContrast) return own;
    auto pick = [](ColorRole role) { return contrastColor(true, role, 0); };
    return {pick(ColorRole::Window),     pick(ColorRole::WindowText), pick(ColorRole::GrayText),
            pick(ColorRole::ButtonFace), pick(ColorRole::ButtonText), pick(ColorRole::ButtonText)};
}

HeaderItemPaint planHeaderItem(const Rect& item, int column, int columnCount, int markedColumn,
                               ColumnAlignment alignment, int headerWidth, int dpi) {
    HeaderItemPaint paint;
    paint.fill = item;
    paint.dividerX = item.right - 1;
    Rect inner{item.left + 2, item.top + 1, item.right - 2, item.bottom - 1};
    if (column == columnCount - 1)
        paint.trailingFill =
            Rect{inner.right, inner.top, std::max(inner.right, headerWidth), inner.bottom};
    paint.alignment = alignment;
    // The marked column keeps room for a sort mark at its left; this list has no mark to
    // draw there, so the caption just moves right.
    if (column == markedColumn) inner.left += scaled(kSortMarkIndent, dpi);
    paint.text = inner;
    return paint;
}

} // namespace remvana
