#include "app/win32/panel_control.h"

#include "app/paint_rules.h"
#include "app/win32/gdi_util.h"
#include "app/win32/link_label.h"
#include "app/win32/splitter_control.h"
#include "app/win32/tool_button.h"
#include "app/win32/window_util.h"

namespace remvana {

namespace {

// Notifications bubble up the parent chain until the window's own procedure has them.
LRESULT forwardToParent(HWND container, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(container);
    return parent ? SendMessageA(parent, msg, wParam, lParam) : 0;
}

LRESULT CALLBACK panelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (handleChildMessage(hwnd, msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        BufferedPaint paint(hwnd);
        paintPanelBody(paint.dc(), hwnd, {0, 0});
        return 0;
    }
    case WM_SIZE:
        // The body's gradient depends on the height: repaint all of it.
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK plainPanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (handleChildMessage(hwnd, msg, wParam, lParam, result)) return result;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND createContainer(const char* className, HWND parent, int id, const Rect& at,
                     HINSTANCE instance) {
    return CreateWindowExA(WS_EX_CONTROLPARENT, className, "",
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, at.left,
                           at.top, at.width(), at.height(), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

} // namespace

void registerPanelClasses(HINSTANCE instance) {
    registerWindowClass(instance, kAdvPanelClass, panelProc);
    registerWindowClass(instance, kPlainPanelClass, plainPanelProc, IDC_ARROW,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

HWND createAdvPanel(HWND parent, int id, const Rect& at, HINSTANCE instance) {
    return createContainer(kAdvPanelClass, parent, id, at, instance);
}

HWND createPlainPanel(HWND parent, int id, const Rect& at, HINSTANCE instance) {
    return createContainer(kPlainPanelClass, parent, id, at, instance);
}

void paintPanelBody(HDC dc, HWND panel, POINT origin) {
    Rect body = clientRectOf(panel);
    body.left -= origin.x;
    body.right -= origin.x;
    body.top -= origin.y;
    body.bottom -= origin.y;
    fillBands(dc, panelBody(body));
}

bool handleChildMessage(HWND container, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_BUTTON && isToolButton(item->hwndItem)) {
            drawToolButton(*item);
            result = TRUE;
            return true;
        }
        if (item->CtlType == ODT_STATIC && isLinkLabel(item->hwndItem)) {
            drawLinkLabel(*item);
            result = TRUE;
            return true;
        }
        result = forwardToParent(container, msg, wParam, lParam);
        return true;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_MEASUREITEM:
    case kSplitterMovedMessage:
        result = forwardToParent(container, msg, wParam, lParam);
        return true;
    }
    return false;
}

} // namespace remvana
