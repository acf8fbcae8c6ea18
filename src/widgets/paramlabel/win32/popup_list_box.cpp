#include "widgets/paramlabel/win32/popup_list_box.h"

#include "platform/win32/code_page_win32.h"
#include "platform/win32/scoped_handles.h"
#include "widgets/paramlabel/param_editors.h"

namespace remvana {

TPopupListBox::TPopupListBox(HWND label, HFONT font) : PopupEditor(label), font_(font) {
    if (font_ == nullptr) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // A single-line border instead of the sunken 3-D one, and exactly the height it is given.
    createControl("LISTBOX", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, font_);
}

int TPopupListBox::widestItem(const std::vector<std::string>& values) const {
    MeasuringDc dc(control(), font_);
    int widest = 0;
    for (const std::string& value : values) {
        // By characters: GDI's ...A call would read the UTF-8 bytes one by one.
        const std::wstring wide = ansiToWide(value);
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
    }
    return widest;
}

void TPopupListBox::open(const std::string& href, POINT screenTopLeft,
                         const std::vector<std::string>& values, int selected) {
    begin(href);
    showAt(screenTopLeft, kHeight, kHeight);
    SendMessageA(control(), LB_RESETCONTENT, 0, 0);
    for (const std::string& value : values)
        SendMessageA(control(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
    RECT client{};
    GetClientRect(control(), &client);
    int itemHeight = static_cast<int>(SendMessageA(control(), LB_GETITEMHEIGHT, 0, 0));
    bool scrolls = itemHeight * static_cast<int>(values.size()) > client.bottom;
    int width = listBoxWidth(widestItem(values), scrolls, GetSystemMetrics(SM_CXVSCROLL));
    SetWindowPos(hwnd(), nullptr, 0, 0, width, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(control(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SetFocus(control());
}

int TPopupListBox::selectedIndex() const {
    return static_cast<int>(SendMessageA(control(), LB_GETCURSEL, 0, 0));
}

std::string TPopupListBox::committedText() {
    int index = selectedIndex();
    LRESULT length = SendMessageW(control(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length == LB_ERR) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(control(), LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return processCodePage().fromUtf16(text).text;
}

LRESULT TPopupListBox::controlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == VK_RETURN && selectedIndex() < 0) {
        // Nothing chosen: Return closes the list without a commit and still moves on.
        cancel(true);
        if (OnAdvance) OnAdvance();
        return 0;
    }
    if (msg == WM_LBUTTONUP) {
        // The list selects the item under the mouse first; then it closes and commits it.
        LRESULT result = defaultControlMessage(msg, wParam, lParam);
        closeThenCommit();
        return result;
    }
    return PopupEditor::controlMessage(msg, wParam, lParam);
}

} // namespace remvana
