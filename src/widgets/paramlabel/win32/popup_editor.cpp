#include "widgets/paramlabel/win32/popup_editor.h"

#include <cstring>

namespace remvana {

WindowClass PopupEditor::windowClass() {
    WindowClass spec;
    spec.name = "TParamPopupEditor";
    spec.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return spec;
}

PopupEditor::PopupEditor(HWND label) : label_(label) {
    createWindow(WS_EX_TOOLWINDOW, "", WS_POPUP, 0, 0, 32, 21, label);
}

PopupEditor::~PopupEditor() {
    subclass_.detach();
    destroying_ = true;
    destroyWindow();
}

HWND PopupEditor::createControl(const char* className, DWORD style, DWORD exStyle, HFONT font) {
    subclass_.detach();
    control_.reset();
    RECT client{};
    GetClientRect(hwnd(), &client);
    // A Unicode control, so typed and pasted characters reach it whole whatever the process
    // code page; what a commit may hand over is the editor's decision.
    const std::wstring wideClass(className, className + std::strlen(className));
    control_.reset(CreateWindowExW(exStyle, wideClass.c_str(), L"", WS_CHILD | WS_VISIBLE | style,
                                   0, 0, client.right, client.bottom, hwnd(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!control_) return nullptr;
    if (font != nullptr) SendMessageA(control(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    subclass_.attach(control(), [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return controlMessage(msg, wParam, lParam);
    });
    return control();
}

void PopupEditor::begin(const std::string& href) {
    finished_ = false;
    href_ = href;
}

void PopupEditor::showAt(POINT screenTopLeft, int width, int height) {
    SetWindowPos(hwnd(), HWND_TOP, screenTopLeft.x, screenTopLeft.y, width, height, SWP_SHOWWINDOW);
}

bool PopupEditor::visible() const {
    return hwnd() != nullptr && IsWindowVisible(hwnd()) != FALSE;
}

bool PopupEditor::holds(HWND window) const {
    return window != nullptr && (window == hwnd() || IsChild(hwnd(), window));
}

void PopupEditor::hide() {
    ShowWindow(hwnd(), SW_HIDE);
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
    return subclass_.callNext(msg, wParam, lParam);
}

LRESULT PopupEditor::controlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return defaultControlMessage(msg, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            commitAndClose(true);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            cancel(true);
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
            focusLost(reinterpret_cast<HWND>(wParam));
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
        if (control_) MoveWindow(control(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && !staysOnDeactivation(reinterpret_cast<HWND>(lParam)) &&
            visible())
            hide();
        break;
    default:
        break;
    }
    return defaultMessage(msg, wParam, lParam);
}

LRESULT PopupEditor::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (destroying_) return defaultMessage(msg, wParam, lParam);
    if (msg == WM_DESTROY) {
        // Going with its owner: nothing is committed into a label that is going too.
        finished_ = true;
        subclass_.detach();
        return defaultMessage(msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) return defaultMessage(msg, wParam, lParam);
    return popupMessage(msg, wParam, lParam);
}

} // namespace remvana
