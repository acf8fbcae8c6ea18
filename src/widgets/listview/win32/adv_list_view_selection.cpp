// The program list's selection: one row, or several with the list's extended selection.
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

int TAdvListView::selectedIndex() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

void TAdvListView::allowSeveralSelected() {
    several_ = true;
    selection_.allowSeveral();
}

std::vector<int> TAdvListView::selectedIndices() const {
    std::vector<int> indices;
    for (int at = -1;
         (at = static_cast<int>(SendMessageA(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(at),
                                             MAKELPARAM(LVNI_SELECTED, 0)))) >= 0;)
        indices.push_back(at);
    return indices;
}

int TAdvListView::selectedCount() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETSELECTEDCOUNT, 0, 0));
}

void TAdvListView::setAllRowsSelected(bool selected) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
}

void TAdvListView::selectAll() {
    if (several_) setAllRowsSelected(true);
}

void TAdvListView::selectRow(int index) {
    if (several_) {
        for (int selected : selectedIndices())
            if (selected != index) {
                LVITEMA off{};
                off.stateMask = LVIS_SELECTED;
                SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(selected),
                             reinterpret_cast<LPARAM>(&off));
            }
    }
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&state));
}

int TAdvListView::shownIndexOf(std::uint32_t rowId) const {
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(rowId);
    return static_cast<int>(SendMessageA(handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

void TAdvListView::onSelectionChange(std::uint32_t rowId, bool selected) {
    const int index = shownIndexOf(rowId);
    if (index >= 0 && OnSelectItem) OnSelectItem(*this, index, selected);
}

} // namespace remvana
