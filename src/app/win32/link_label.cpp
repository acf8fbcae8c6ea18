#include "app/win32/link_label.h"

#include <commctrl.h>

#include <string>

#include "app/win32/gdi_util.h"
#include "app/win32/window_util.h"

namespace remvana {

namespace {

constexpr const char* kBrushProp = "RemvanaLinkBrush";
WNDPROC staticProc = nullptr;
HFONT linkFont = nullptr;

LRESULT CALLBACK linkLabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    case WM_NCDESTROY:
        if (HANDLE brush = RemovePropA(hwnd, kBrushProp)) DeleteObject(brush);
        break;
    }
    return CallWindowProcA(staticProc, hwnd, msg, wParam, lParam);
}

// The label's size for its text, measured the way the static control draws it.
SIZE textSize(HWND label, const char* text) {
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, linkFont);
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return {bounds.right, bounds.bottom};
}

} // namespace

// A superclass of the static control named after its role, so its clicks, text and
// accessibility stay those of a static while the window can tell links from other text.
static constexpr const char* kLinkLabelClass = "TLinkLabel";

void registerLinkLabelClass(HINSTANCE instance) {
    staticProc = registerSuperclass(instance, "Static", kLinkLabelClass, linkLabelProc, IDC_HAND);
    if (linkFont == nullptr) linkFont = createFontOf(layout::kLinkFont);
}

HWND createLinkLabel(HWND parent, const layout::LinkPlacement& placement, HWND tooltips,
                     HINSTANCE instance) {
    HWND label = CreateWindowExA(
        0, kLinkLabelClass, placement.caption, WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_OWNERDRAW,
        placement.left, placement.top, 10, 13, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)), instance, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), FALSE);
    const SIZE size = textSize(label, placement.caption);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    SetPropA(label, kBrushProp, CreateSolidBrush(toColorRef(placement.background)));

    if (tooltips != nullptr) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(label);
        tool.lpszText = const_cast<char*>(placement.tooltip);
        SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return label;
}

bool isLinkLabel(HWND hwnd) {
    return GetPropA(hwnd, kBrushProp) != nullptr;
}

void drawLinkLabel(const DRAWITEMSTRUCT& item) {
    // Drawn by the window in one line, exactly as measured when the label was sized; the
    // static control itself would wrap a text that is a pixel too wide for it.
    auto brush = static_cast<HBRUSH>(GetPropA(item.hwndItem, kBrushProp));
    FillRect(item.hDC, &item.rcItem, brush);
    char text[256] = {};
    GetWindowTextA(item.hwndItem, text, sizeof text);
    HGDIOBJ old = SelectObject(item.hDC, linkFont);
    SetTextColor(item.hDC, toColorRef(layout::kLinkFont.color));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT rect = item.rcItem;
    DrawTextA(item.hDC, text, -1, &rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, old);
}

std::string linkLabelTooltip(HWND tooltips, HWND label) {
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(label);
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.lpszText = text;
    SendMessageA(tooltips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

} // namespace remvana
