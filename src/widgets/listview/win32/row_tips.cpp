#include "widgets/listview/win32/row_tips.h"

#include <windowsx.h>

#include <commctrl.h>

#include "platform/win32/code_page_win32.h"

namespace remvana {

void RowTips::create(HWND list) {
    list_ = list;
    tips_.reset(CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(list, GWLP_HINSTANCE)), nullptr));
    if (!tips_) return;
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = list;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tips_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

void RowTips::mouseMoved(LPARAM mousePosition) {
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(mousePosition), GET_Y_LPARAM(mousePosition)};
    const int item =
        static_cast<int>(SendMessageA(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item == row_) return;
    // Another row: the shown tip belongs to the last one; the next one asks again.
    row_ = item;
    if (tips_) SendMessageA(tips_.get(), TTM_POP, 0, 0);
}

bool RowTips::answer(NMHDR* notification) {
    if (notification->hwndFrom != tips_.get() ||
        (notification->code != TTN_GETDISPINFOA && notification->code != TTN_GETDISPINFOW))
        return false;
    buffer_ = text();
    if (notification->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
        info->lpszText = const_cast<char*>(buffer_.c_str());
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(notification);
        wideBuffer_ = ansiToWide(buffer_);
        info->lpszText = wideBuffer_.data();
    }
    return true;
}

} // namespace remvana
