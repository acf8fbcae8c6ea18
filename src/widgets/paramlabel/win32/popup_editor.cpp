#include "widgets/paramlabel/win32/popup_editor.h"

#include <commctrl.h>

#include <cstring>

#include "app/win32/application.h"

namespace remvana {

namespace {

constexpr char kPopupClass[] = "TParamPopupEditor";

void registerPopupClass(WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPopupClass;
    registered = RegisterClassExA(&wc) != 0;
}

} // namespace

PopupEditor::PopupEditor(HWND label) : label_(label) {
    registerPopupClass(&PopupEditor::popupProc);
    popup_ = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, 0, 0, 32, 21, label,
                             nullptr, GetModuleHandleA(nullptr), this);
}

PopupEditor::~PopupEditor() {
    releaseControl();
    if (popup_ != nullptr) {
        SetWindowLongPtrA(popup_, GWLP_USERDATA, 0);
        DestroyWindow(popup_);
    }
}

HWND PopupEditor::createControl(const char* className, DWORD style, DWORD exStyle, HFONT font) {
    HWND old = control_;
    releaseControl();
    if (old != nullptr) DestroyWindow(old);
    RECT client{};
    GetClientRect(popup_, &client);
    // A Unicode control, so typed and pasted characters reach it whole whatever the process
    // code page; what a commit may hand over is the editor's decision.
    const std::wstring wideClass(className, className + std::strlen(className));
    control_ = CreateWindowExW(exStyle, wideClass.c_str(), L"", WS_CHILD | WS_VISIBLE | style, 0, 0,
                               client.right, client.bottom, popup_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (control_ == nullptr) return nullptr;
    if (font != nullptr) SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Through the common controls' subclassing, which keeps a chain: controls that subclass
    // their own buddies (the spin edit's arrows) come and go without cutting us off.
    SetWindowSubclass(control_, &PopupEditor::controlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    return control_;
}

void PopupEditor::releaseControl() {
    if (control_ == nullptr) return;
    RemoveWindowSubclass(control_, &PopupEditor::controlProc, 0);
    control_ = nullptr;
}

void PopupEditor::begin(const std::string& href) {
    finished_ = false;
    href_ = href;
}

void PopupEditor::showAt(POINT screenTopLeft, int width, int height) {
    SetWindowPos(popup_, HWND_TOP, screenTopLeft.x, screenTopLeft.y, width, height, SWP_SHOWWINDOW);
}

bool PopupEditor::visible() const {
    return popup_ != nullptr && IsWindowVisible(popup_) != FALSE;
}

bool PopupEditor::holds(HWND window) const {
    return window != nullptr && (window == popup_ || IsChild(popup_, window));
}

void PopupEditor::hide() {
    ShowWindow(popup_, SW_HIDE);
}

void PopupEditor::commitAndClose(bool byReturn) {
    if (!acceptsCommit()) {
        if (!byReturn) cancel(false);
        return;
    }
    // Finished before the commit runs: whatever the commit does to the focus (an error box,
    // a repaint) must not commit a second time.
    finished_ = true;
    std::string committed = committedText();
    if (OnCommit) OnCommit(href_, committed);
    if (byReturn) {
        SetFocus(label_);
        hide();
        if (OnAdvance) OnAdvance();
    } else {
        hide();
    }
}

void PopupEditor::cancel(bool byEscape) {
    finished_ = true;
    if (byEscape) SetFocus(label_);
    hide();
    if (OnCancel) OnCancel();
}

void PopupEditor::closeThenCommit() {
    finished_ = true;
    SetFocus(label_);
    hide();
    if (!acceptsCommit()) {
        if (OnCancel) OnCancel();
        return;
    }
    std::string committed = committedText();
    if (OnCommit) OnCommit(href_, committed);
}

LRESULT PopupEditor::defaultControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(control_, msg, wParam, lParam);
}

LRESULT PopupEditor::controlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return defaultControlMessage(msg, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            Application.guarded([&] { commitAndClose(true); });
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            Application.guarded([&] { cancel(true); });
            return 0;
        }
        break;
    case WM_CHAR:
        // The control would beep at these; they have been handled as keys already.
        if (wParam == '\r' || wParam == '\n' || wParam == 0x1B) return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT result = defaultControlMessage(msg, wParam, lParam);
        // Moving between the popup's own windows (a spin edit's arrows) is no focus loss.
        if (!finished_ && !holds(reinterpret_cast<HWND>(wParam)))
            Application.guarded([&] { focusLost(reinterpret_cast<HWND>(wParam)); });
        return result;
    }
    case WM_CONTEXTMENU: {
        // The menu deactivates the popup while it is up; that must not close the editor.
        contextMenuOpen_ = true;
        LRESULT result = defaultControlMessage(msg, wParam, lParam);
        contextMenuOpen_ = false;
        return result;
    }
    default:
        break;
    }
    return defaultControlMessage(msg, wParam, lParam);
}

LRESULT PopupEditor::popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (control_ != nullptr) MoveWindow(control_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && !staysOnDeactivation(reinterpret_cast<HWND>(lParam)) &&
            visible())
            hide();
        break;
    default:
        break;
    }
    return DefWindowProcA(popup_, msg, wParam, lParam);
}

LRESULT CALLBACK PopupEditor::controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<PopupEditor*>(data);
    if (self->control_ != hwnd) return DefSubclassProc(hwnd, msg, wParam, lParam);
    return self->controlMessage(msg, wParam, lParam);
}

LRESULT CALLBACK PopupEditor::popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PopupEditor*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:
        // Going with its owner: nothing is committed into a label that is going too.
        self->finished_ = true;
        self->releaseControl();
        break;
    case WM_NCDESTROY:
        self->popup_ = nullptr;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        break;
    }
    if (hwnd != self->popup_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->popupMessage(msg, wParam, lParam);
}

} // namespace remvana
