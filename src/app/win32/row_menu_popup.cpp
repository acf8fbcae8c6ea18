#include "app/win32/row_menu_popup.h"

#include <commctrl.h>

#include "platform/win32/scoped_handles.h"

namespace remvana {

namespace {

// Menu command ids: the command's value past zero, which TrackPopupMenu keeps for "none".
UINT commandId(RowCommand command) {
    return static_cast<UINT>(command) + 1;
}

} // namespace

std::optional<RowCommand> showRowMenu(HWND owner, POINT at, const std::vector<RowMenuItem>& items) {
    const ScopedMenu menu(CreatePopupMenu());
    if (!menu) return std::nullopt;
    for (const RowMenuItem& item : items)
        AppendMenuA(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                    commandId(item.command), item.caption.c_str());
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    for (const RowMenuItem& item : items)
        if (item.enabled && commandId(item.command) == chosen) return item.command;
    return std::nullopt;
}

POINT rowMenuPoint(HWND list, int row) {
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    RECT client{};
    GetClientRect(list, &client);
    POINT at{client.left, client.top};
    RECT visible{};
    if (SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&bounds)) &&
        IntersectRect(&visible, &bounds, &client))
        at = {bounds.left, bounds.bottom};
    ClientToScreen(list, &at);
    return at;
}

} // namespace remvana
