// The program list for the keyboard and for high contrast: the focused row, the first key
// press of a list nothing is selected in, and the colours it draws with.
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_cues.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

void TAdvListView::takeFocus() {
    SetFocus(handle());
    if (focusedIndex() >= 0 || rowCount() == 0) return;
    LVITEMA state{};
    state.stateMask = LVIS_FOCUSED;
    state.state = LVIS_FOCUSED;
    SendMessageA(handle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

int TAdvListView::focusedIndex() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_FOCUSED, 0)));
}

bool TAdvListView::selectFocusedRow(WPARAM key) {
    const bool edge = key == VK_HOME || key == VK_END;
    if ((key != VK_DOWN && key != VK_UP && !edge) || GetKeyState(VK_CONTROL) < 0 ||
        GetKeyState(VK_SHIFT) < 0 || selectedIndex() >= 0 || rowCount() == 0)
        return false;
    const int focused = focusedIndex();
    // The control moves nothing, and so selects nothing, when Home or End names the row
    // that already has the focus.
    if (edge && focused != (key == VK_HOME ? 0 : rowCount() - 1)) return false;
    const int row = focused >= 0 ? focused : 0;
    selectRow(row);
    SendMessageA(handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    return true;
}

void TAdvListView::onCustomDraw(NMLVCUSTOMDRAW& draw, LRESULT& result) {
    result = CDRF_DODEFAULT;
    if (!IsRowDimmed) return;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
    } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const int modelIndex = modelIndexAt(static_cast<int>(draw.nmcd.dwItemSpec));
        if (modelIndex >= 0 && IsRowDimmed(model_.row(static_cast<std::size_t>(modelIndex))))
            draw.clrText = toColorRef(colors_.dimmedText);
    }
}

void TAdvListView::applyColors() {
    colors_ = listColors(highContrastOn());
    SendMessageA(handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(toColorRef(colors_.background)));
    SendMessageA(handle(), LVM_SETTEXTBKCOLOR, 0,
                 static_cast<LPARAM>(toColorRef(colors_.background)));
    SendMessageA(handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(toColorRef(colors_.text)));
    header_.setColors(colors_);
    InvalidateRect(handle(), nullptr, TRUE);
}

} // namespace remvana
