#include "list_view_probe.h"

#include <commctrl.h>

namespace remvana::testing {

std::string listItemText(HWND list, int item, int subItem) {
    char buffer[256] = {};
    LVITEMA text{};
    text.iSubItem = subItem;
    text.pszText = buffer;
    text.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&text));
    return buffer;
}

int listItemImage(HWND list, int item) {
    LVITEMA query{};
    query.mask = LVIF_IMAGE;
    query.iItem = item;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return query.iImage;
}

int listItemCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::string> listColumnTexts(HWND list, int subItem) {
    std::vector<std::string> texts;
    for (int i = 0; i < listItemCount(list); ++i)
        texts.push_back(listItemText(list, i, subItem));
    return texts;
}

int listRowOf(HWND list, const std::string& caption) {
    for (int i = 0; i < listItemCount(list); ++i)
        if (listItemText(list, i, 0) == caption) return i;
    return -1;
}

bool selectListRow(HWND list, const std::string& caption) {
    const int row = listRowOf(list, caption);
    if (row < 0) return false;
    // A click selects its row alone: the others let go first.
    for (int other = -1;
         (other = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(other),
                                                LVNI_SELECTED))) >= 0;) {
        if (other == row) continue;
        LVITEMA off{};
        off.stateMask = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(other),
                     reinterpret_cast<LPARAM>(&off));
    }
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
    return true;
}

HWND listHeader(HWND list) {
    return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
}

void clickListHeader(HWND list, int column) {
    const HWND header = listHeader(list);
    RECT item{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace remvana::testing
