// The program list following its entries when they change under it: rows leave, change and
// come without a refill, so the selection, the filter, the order the user chose and the
// scroll position stay.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <utility>

#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

void TAdvListView::removeRowsOfEntries(const std::vector<std::uint32_t>& entryIds) {
    // The control's rows go first, while the model still knows where they are.
    std::vector<std::uint32_t> going;
    for (const ListRow& row : model_.rows())
        for (const std::uint32_t entryId : entryIds)
            if (row.entryId == entryId) going.push_back(row.id);
    clearing_ = true; // the rows go without selection events, as in a clear
    for (const std::uint32_t rowId : going) {
        if (!shownById_[rowId]) continue;
        const int index = shownIndexOf(rowId);
        if (index >= 0) SendMessageA(handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
        shownById_[rowId] = false;
        selection_.forget(rowId);
    }
    clearing_ = false;
    model_.removeRowsOfEntries(entryIds);
}

void TAdvListView::updateRowOfEntry(std::uint32_t entryId, const std::string& caption,
                                    int imageIndex, std::vector<std::string> subItems) {
    const int modelIndex = model_.indexOfEntry(entryId);
    if (modelIndex < 0) return;
    const auto at = static_cast<std::size_t>(modelIndex);
    const std::uint32_t rowId = model_.row(at).id;
    model_.setSubItems(at, std::move(subItems));
    model_.setImage(at, imageIndex);
    const bool moved = model_.setCaption(at, caption);
    if (shownById_[rowId]) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = shownIndexOf(rowId);
        item.iImage = imageIndex;
        SendMessageA(handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    if (moved && model_.updateDepth() == 0) applyOrder();
    InvalidateRect(handle(), nullptr, FALSE); // the control holds no text to change
}

RowOrder TAdvListView::sortColumnOrder() const {
    const int text = model_.sortState().sortColumn;
    return text >= 0 && OnGetRowOrder ? OnGetRowOrder(text) : RowOrder();
}

void TAdvListView::sortAgain() {
    model_.sortAgain(sortColumnOrder());
    applyOrder();
    InvalidateRect(handle(), nullptr, FALSE);
}

int TAdvListView::shownIndexOfEntry(std::uint32_t entryId) const {
    const int at = model_.indexOfEntry(entryId);
    if (at < 0) return -1;
    const std::uint32_t rowId = model_.row(static_cast<std::size_t>(at)).id;
    return shownById_[rowId] ? shownIndexOf(rowId) : -1;
}

int TAdvListView::topIndex() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETTOPINDEX, 0, 0));
}

void TAdvListView::scrollToTop(int index) {
    const int now = topIndex();
    if (index < 0 || index >= rowCount() || index == now) return;
    RECT row{};
    row.left = LVIR_BOUNDS;
    if (!SendMessageA(handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row))) return;
    SendMessageA(handle(), LVM_SCROLL, 0, (index - now) * (row.bottom - row.top));
}

} // namespace remvana
