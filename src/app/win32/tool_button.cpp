#include "app/win32/tool_button.h"

#include <string>

#include "app/paint_rules.h"
#include "app/scaled_layout.h"
#include "app/win32/gdi_util.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_cues.h"
#include "platform/win32/display_dpi.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

namespace {

// The caption font at the scale the button is shown at.
HFONT buttonFont(HWND button) {
    return fontAtDpi(layout::kButtonFont, layoutDpi(button));
}

void drawCaption(HDC dc, const std::string& caption, RECT rect, COLORREF color) {
    SetTextColor(dc, color);
    drawProgramText(dc, caption, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

HWND ToolButton::create(HWND parent, const layout::ButtonPlacement& placement) {
    const Rect at = placedAt(placement, layoutDpi(parent));
    HWND button = createOwned([&](ToolButton& self) {
        return self.createWindow(0, placement.caption,
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW,
                                 at.left, at.top, at.width(), at.height(), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)));
    });
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont(button)), FALSE);
    EnableWindow(button, placement.enabledAtStart);
    return button;
}

LRESULT ToolButton::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        onMouseMove();
        break;
    case WM_MOUSELEAVE:
        setHot(false);
        break;
    case WM_ENABLE:
        onEnable(wParam != 0);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        // Return presses the focused button, as Space does (the window has no default button).
        if (asksAboutKeyDown(lParam, VK_RETURN))
            return defaultMessage(msg, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            SendMessageA(hwnd(), BM_CLICK, 0, 0);
            return 0;
        }
        break;
    }
    // The system button draws its focus through WM_DRAWITEM, so focus needs no redraw here.
    return answerOwnerDrawn(hwnd(), accessible_, {ROLE_SYSTEM_PUSHBUTTON, false}, msg, wParam,
                            lParam,
                            [this](UINT m, WPARAM w, LPARAM l) { return defaultMessage(m, w, l); });
}

void ToolButton::onMouseMove() {
    if (hot_) return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
    TrackMouseEvent(&track);
    setHot(true);
}

void ToolButton::onEnable(bool enabled) {
    InvalidateRect(hwnd(), nullptr, FALSE);
    // Disabling the focused button drops the focus (the system clears it first), which
    // would leave the keyboard dead: hand it to the next control instead.
    if (enabled || GetFocus() != nullptr) return;
    HWND root = GetAncestor(hwnd(), GA_ROOT);
    if (GetActiveWindow() != root) return;
    HWND next = GetNextDlgTabItem(root, hwnd(), FALSE);
    SetFocus(next != nullptr && next != hwnd() ? next : root);
}

void ToolButton::setHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void ToolButton::draw(const DRAWITEMSTRUCT& item) const {
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const ToolButtonLook look = toolButtonLook(enabled, hot_, pressed, highContrastOn());
    HDC dc = item.hDC;
    const RECT whole = item.rcItem;
    fillBands(dc, toolButtonFace(toRect(whole), look));
    frameSolid(dc, whole, toColorRef(look.border));

    char text[128] = {};
    GetWindowTextA(item.hwndItem, text, sizeof text);
    {
        SelectedObject font(dc, buttonFont(item.hwndItem));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        if (look.embossedCaption) {
            RECT shifted = whole;
            OffsetRect(&shifted, 1, 1);
            drawCaption(dc, text, shifted, GetSysColor(COLOR_BTNHIGHLIGHT));
            drawCaption(dc, text, whole, GetSysColor(COLOR_BTNSHADOW));
        } else {
            drawCaption(dc, text, whole, toColorRef(look.caption));
        }
        SetBkMode(dc, oldMode);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = whole;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

HWND createToolButton(HWND parent, const layout::ButtonPlacement& placement) {
    return ToolButton::create(parent, placement);
}

bool isToolButton(HWND hwnd) {
    return ToolButton::fromHandle(hwnd) != nullptr;
}

} // namespace remvana
