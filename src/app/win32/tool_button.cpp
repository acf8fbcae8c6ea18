#include "app/win32/tool_button.h"

#include <string>

#include "app/paint_rules.h"
#include "app/scaled_layout.h"
#include "app/win32/gdi_util.h"
#include "app/win32/window_util.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

namespace {

WNDPROC buttonProc = nullptr;

// The caption font at the scale the button is shown at.
HFONT buttonFont(HWND button) {
    return fontAtDpi(layout::kButtonFont, layoutDpi(button));
}

// The mouse-over state lives in the window's user data: the button class keeps its own
// extra bytes for itself.
void setHot(HWND hwnd, bool hot) {
    if (toolButtonHot(hwnd) == hot) return;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, hot ? 1 : 0);
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK toolButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!toolButtonHot(hwnd)) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            setHot(hwnd, true);
        }
        break;
    case WM_MOUSELEAVE:
        setHot(hwnd, false);
        break;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, FALSE);
        // Disabling the focused button drops the focus (the system clears it first), which
        // would leave the keyboard dead: hand it to the next control instead.
        if (!wParam && GetFocus() == nullptr) {
            HWND root = GetAncestor(hwnd, GA_ROOT);
            if (GetActiveWindow() == root) {
                HWND next = GetNextDlgTabItem(root, hwnd, FALSE);
                SetFocus(next != nullptr && next != hwnd ? next : root);
            }
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    }
    return CallWindowProcA(buttonProc, hwnd, msg, wParam, lParam);
}

void drawCaption(HDC dc, const std::string& caption, RECT rect, COLORREF color) {
    SetTextColor(dc, color);
    drawProgramText(dc, caption, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void registerToolButtonClass(HINSTANCE instance) {
    buttonProc = registerSuperclass(instance, "Button", kToolButtonClass, toolButtonProc);
}

HWND createToolButton(HWND parent, const layout::ButtonPlacement& placement, HINSTANCE instance) {
    const Rect at = placedAt(placement, layoutDpi(parent));
    HWND button = CreateWindowExA(0, kToolButtonClass, placement.caption,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW,
                                  at.left, at.top, at.width(), at.height(), parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                                  instance, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont(button)), FALSE);
    EnableWindow(button, placement.enabledAtStart);
    return button;
}

bool isToolButton(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpiA(name, kToolButtonClass) == 0;
}

bool toolButtonHot(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_USERDATA) != 0;
}

void drawToolButton(const DRAWITEMSTRUCT& item) {
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const ToolButtonLook look = toolButtonLook(enabled, toolButtonHot(item.hwndItem), pressed);
    HDC dc = item.hDC;
    const RECT whole = item.rcItem;
    fillBands(dc, toolButtonFace(toRect(whole), look));
    frameSolid(dc, whole, toColorRef(look.border));

    char text[128] = {};
    GetWindowTextA(item.hwndItem, text, sizeof text);
    HGDIOBJ oldFont = SelectObject(dc, buttonFont(item.hwndItem));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (look.embossedCaption) {
        RECT shifted = whole;
        OffsetRect(&shifted, 1, 1);
        drawCaption(dc, text, shifted, GetSysColor(COLOR_BTNHIGHLIGHT));
        drawCaption(dc, text, whole, GetSysColor(COLOR_BTNSHADOW));
    } else {
        drawCaption(dc, text, whole, toColorRef(layout::kButtonCaptionColor));
    }
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = whole;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace remvana
