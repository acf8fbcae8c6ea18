// The program list's columns: which of a row's texts it shows, moved and sized by the user,
// and the header's right click that offers the choice.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

UINT TAdvListView::columnsChangedMessage() {
    static const UINT message = RegisterWindowMessageA("Remvana.ListColumnsChanged");
    return message;
}

void TAdvListView::insertColumn(int index, const ShownListColumn& shown) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = flagsOf(shown.alignment).format;
    column.cx = shown.width;
    column.pszText = const_cast<char*>(shown.caption.c_str());
    column.iSubItem = shown.text;
    SendMessageA(handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void TAdvListView::setColumns(std::vector<ShownListColumn> columns) {
    if (columns.empty() || columns.front().text != 0) return; // the caption's stays first
    SendMessageA(handle(), WM_SETREDRAW, FALSE, 0);
    // The caption's column is never taken out: a list view keeps its first column's texts
    // and images in it. The others are made anew, in order.
    for (int i = static_cast<int>(columns_.size()) - 1; i >= 1; --i)
        SendMessageA(handle(), LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
    columns_ = std::move(columns);
    for (int i = 1; i < static_cast<int>(columns_.size()); ++i)
        insertColumn(i, columns_[static_cast<std::size_t>(i)]);
    std::vector<int> order(columns_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    SendMessageA(handle(), LVM_SETCOLUMNORDERARRAY, order.size(),
                 reinterpret_cast<LPARAM>(order.data()));
    header_.markItemsOwnerDrawn();
    fitNameColumn();
    if (model_.updateDepth() == 0) SendMessageA(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
    InvalidateRect(header(), nullptr, TRUE);
}

std::vector<ShownListColumn> TAdvListView::columnsAsShown() const {
    std::vector<int> order(columns_.size());
    if (!SendMessageA(handle(), LVM_GETCOLUMNORDERARRAY, order.size(),
                      reinterpret_cast<LPARAM>(order.data())))
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int>(i);
    std::vector<ShownListColumn> shown;
    for (int index : order) {
        if (index < 0 || index >= static_cast<int>(columns_.size())) continue;
        ShownListColumn column = columns_[static_cast<std::size_t>(index)];
        column.width = columnWidth(index);
        shown.push_back(std::move(column));
    }
    return shown;
}

void TAdvListView::setRowTexts(int index, std::vector<std::string> subItems) {
    const int modelIndex = modelIndexAt(index);
    if (modelIndex < 0) return;
    model_.setSubItems(static_cast<std::size_t>(modelIndex), std::move(subItems));
    InvalidateRect(handle(), nullptr, FALSE); // the control holds no text to change
}

bool TAdvListView::headerNotifying(const NMHDR& notification, LRESULT& result) {
    switch (notification.code) {
    case NM_RCLICK: {
        const DWORD at = GetMessagePos();
        if (OnHeaderMenu) OnHeaderMenu(*this, POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)});
        result = TRUE; // handled: no context menu besides this one
        return true;
    }
    case HDN_ENDDRAG: {
        const auto& drag = reinterpret_cast<const NMHEADERA&>(notification);
        // The name column holds the rows' icons and captions: it stays first.
        if (drag.iItem == 0 ||
            (drag.pitem && (drag.pitem->mask & HDI_ORDER) && drag.pitem->iOrder == 0)) {
            result = TRUE; // refused: the header keeps its order
            return true;
        }
        PostMessageA(handle(), columnsChangedMessage(), 0, 0);
        return false;
    }
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        PostMessageA(handle(), columnsChangedMessage(), 0, 0);
        return false;
    default:
        return false;
    }
}

} // namespace remvana
