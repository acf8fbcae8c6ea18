#include "widgets/paramlabel/win32/popup_edit.h"

#include "app/win32/application.h"
#include "platform/win32/code_page_win32.h"
#include "widgets/paramlabel/param_interaction.h"

namespace remvana {

namespace {

constexpr char kPopupClass[] = "TPopupEdit";

void registerPopupClass(WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPopupClass;
    registered = RegisterClassExA(&wc) != 0;
}

} // namespace

TPopupEdit::TPopupEdit(HWND label, HFONT font, bool ownsFont)
    : label_(label), font_(font), ownsFont_(ownsFont && font != nullptr) {
    registerPopupClass(&TPopupEdit::popupProc);
    // A popup, not a child: it may stand out of the label and even out of the window, and
    // the label stays its owner so it goes with it.
    popup_ = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, 0, 0, 32, 21, label,
                             nullptr, GetModuleHandleA(nullptr), this);
    // A Unicode edit, so typed and pasted characters reach it whole whatever the code page;
    // the commit decides what the code page can hold.
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            0, 0, 32, 21, popup_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (font_ == nullptr) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetWindowLongPtrA(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPopupEdit::editProc)));
}

TPopupEdit::~TPopupEdit() {
    if (edit_ != nullptr) {
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editDefault_));
        SetWindowLongPtrA(edit_, GWLP_USERDATA, 0);
    }
    if (popup_ != nullptr) {
        SetWindowLongPtrA(popup_, GWLP_USERDATA, 0);
        DestroyWindow(popup_);
    }
    if (ownsFont_) DeleteObject(font_);
}

int TPopupEdit::defaultHeight() const {
    // The height a single-line edit with a sunken border takes for its font.
    HDC dc = GetDC(edit_);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(edit_, dc);
    return tm.tmHeight + 8;
}

void TPopupEdit::open(const std::string& href, POINT screenTopLeft, int width,
                      const std::string& text) {
    finished_ = false;
    href_ = href;
    SetWindowPos(popup_, HWND_TOP, screenTopLeft.x, screenTopLeft.y, width, defaultHeight(),
                 SWP_SHOWWINDOW);
    // After the width, so that auto-sizing measures the new text against the new width.
    SetWindowTextW(edit_, ansiToWide(text).c_str());
    SendMessageA(edit_, EM_SETSEL, 0, -1);
    SetFocus(edit_);
}

bool TPopupEdit::visible() const {
    return IsWindowVisible(popup_) != FALSE;
}

std::u16string TPopupEdit::wideText() const {
    int length = GetWindowTextLengthW(edit_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(edit_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return std::u16string(text.begin(), text.end());
}

std::string TPopupEdit::text() const {
    return processCodePage().fromUtf16(wideText()).text;
}

void TPopupEdit::fitToText() {
    if (!EditAutoSize) return;
    HDC dc = GetDC(edit_);
    HGDIOBJ old = SelectObject(dc, font_);
    // Measured as the edit shows it, character by character, not as bytes of the code page.
    const std::u16string current = wideText();
    SIZE extent{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(current.c_str()),
                          static_cast<int>(current.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(edit_, dc);
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

void TPopupEdit::close() {
    ShowWindow(popup_, SW_HIDE);
}

void TPopupEdit::commitAndClose(bool byReturn) {
    // Finished before the commit runs: whatever the commit does to the focus (an error box,
    // a repaint) must not commit a second time.
    finished_ = true;
    std::string committed;
    try {
        // Text the code page cannot hold exactly is refused rather than stored with
        // substitutes; the label keeps its value.
        committed = exactEditText(wideText(), processCodePage(), href_);
    } catch (const UnrepresentableTextError&) {
        closeWithoutCommit();
        throw;
    }
    if (OnCommit) OnCommit(href_, committed);
    if (byReturn) {
        SetFocus(label_);
        close();
        if (OnAdvance) OnAdvance();
    } else {
        close();
    }
}

void TPopupEdit::closeWithoutCommit() {
    finished_ = true;
    SetFocus(label_);
    close();
    if (OnCancel) OnCancel();
}

LRESULT TPopupEdit::editMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return CallWindowProcW(editDefault_, edit_, msg, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            Application.guarded([&] { commitAndClose(true); });
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            Application.guarded([&] { closeWithoutCommit(); });
            return 0;
        }
        break;
    case WM_CHAR:
        // The edit would beep at these; they have been handled as keys already.
        if (wParam == '\r' || wParam == '\n' || wParam == 0x1B) return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT result = CallWindowProcW(editDefault_, edit_, msg, wParam, lParam);
        if (!finished_) Application.guarded([&] { commitAndClose(false); });
        return result;
    }
    case WM_CONTEXTMENU: {
        // The menu deactivates the popup while it is up; that must not close the editor.
        contextMenuOpen_ = true;
        LRESULT result = CallWindowProcW(editDefault_, edit_, msg, wParam, lParam);
        contextMenuOpen_ = false;
        return result;
    }
    default:
        break;
    }
    return CallWindowProcW(editDefault_, edit_, msg, wParam, lParam);
}

LRESULT CALLBACK TPopupEdit::editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TPopupEdit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->editMessage(msg, wParam, lParam);
}

LRESULT CALLBACK TPopupEdit::popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TPopupEdit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
        switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == self->edit_)
                self->fitToText();
            return 0;
        case WM_SIZE:
            if (self->edit_ != nullptr)
                MoveWindow(self->edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_DESTROY:
            // Going with its owner: nothing is committed into a label that is going too.
            self->finished_ = true;
            break;
        case WM_NCDESTROY:
            self->popup_ = nullptr;
            self->edit_ = nullptr;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && !self->contextMenuOpen_ && self->visible())
                self->close();
            break;
        default:
            break;
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace remvana
