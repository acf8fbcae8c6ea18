#include "widgets/paramlabel/win32/popup_spin_edit.h"

#include <commctrl.h>

#include <climits>

#include "widgets/paramlabel/win32/popup_edit.h"

namespace remvana {

TPopupSpinEdit::TPopupSpinEdit(HWND label, HFONT font) : PopupEditor(label), font_(font) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    if (font_ == nullptr) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND edit = createControl("EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, font_);
    upDown_ =
        CreateWindowExA(0, UPDOWN_CLASSA, "",
                        WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS,
                        0, 0, 0, 0, hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN), INT_MAX);
}

void TPopupSpinEdit::open(const std::string& href, POINT screenTopLeft, int width,
                          const std::string& text) {
    begin(href);
    showAt(screenTopLeft, width, editHeightFor(control(), font_));
    SetWindowTextA(control(), text.c_str());
    SendMessageA(control(), EM_SETSEL, 0, -1);
    SetFocus(control());
}

std::string TPopupSpinEdit::text() const {
    return windowTextOf(control());
}

LRESULT TPopupSpinEdit::popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE && control() != nullptr && upDown_ != nullptr) {
        // The arrows take a scroll bar's width at the right; the edit has the rest.
        int width = LOWORD(lParam);
        int height = HIWORD(lParam);
        int arrows = GetSystemMetrics(SM_CXVSCROLL);
        MoveWindow(control(), 0, 0, width - arrows, height, TRUE);
        MoveWindow(upDown_, width - arrows, 0, arrows, height, TRUE);
        return 0;
    }
    return PopupEditor::popupMessage(msg, wParam, lParam);
}

} // namespace remvana
