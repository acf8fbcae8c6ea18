#include "widgets/paramlabel/win32/popup_edit.h"

#include "platform/win32/code_page_win32.h"
#include "widgets/paramlabel/param_interaction.h"

namespace remvana {

std::u16string wideWindowTextOf(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return std::u16string(text.begin(), text.end());
}

std::string windowTextOf(HWND window) {
    return processCodePage().fromUtf16(wideWindowTextOf(window)).text;
}

int editHeightFor(HWND edit, HFONT font) {
    MeasuringDc dc(edit, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    return tm.tmHeight + 8;
}

TPopupEdit::TPopupEdit(HWND label, HFONT font)
    : PopupEditor(label),
      font_(font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
    createControl("EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, font_);
}

int TPopupEdit::defaultHeight() const {
    return editHeightFor(control(), font_);
}

void TPopupEdit::open(const std::string& href, POINT screenTopLeft, int width,
                      const std::string& text) {
    begin(href);
    showAt(screenTopLeft, width, defaultHeight());
    // After the width, so that auto-sizing measures the new text against the new width.
    SetWindowTextW(control(), ansiToWide(text).c_str());
    SendMessageA(control(), EM_SETSEL, 0, -1);
    SetFocus(control());
}

std::string TPopupEdit::text() const {
    return windowTextOf(control());
}

std::string TPopupEdit::committedText() {
    return exactEditText(wideWindowTextOf(control()), processCodePage(), href());
}

void TPopupEdit::fitToText() {
    if (!EditAutoSize) return;
    HWND edit_ = control();
    HWND popup_ = hwnd();
    SIZE extent{};
    {
        MeasuringDc dc(edit_, font_);
        // Measured as the edit shows it, character by character, not as bytes of the code page.
        const std::u16string current = wideWindowTextOf(edit_);
        GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(current.c_str()),
                              static_cast<int>(current.size()), &extent);
    }
    RECT r;
    GetWindowRect(popup_, &r);
    int width = autoSizedEditorWidth(r.right - r.left, extent.cx);
    if (width == r.right - r.left) return;
    SetWindowPos(popup_, nullptr, 0, 0, width, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The edit scrolled its text before it was widened; with room for all of it now, it
    // shows it from the start again.
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageA(edit_, EM_SETSEL, 0, 0);
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
    SendMessageA(edit_, EM_SETSEL, start, end);
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

LRESULT TPopupEdit::popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE &&
        reinterpret_cast<HWND>(lParam) == control()) {
        fitToText();
        return 0;
    }
    return PopupEditor::popupMessage(msg, wParam, lParam);
}

} // namespace remvana
