#include "app/win32/panel_control.h"

#include "app/paint_rules.h"
#include "app/win32/gdi_util.h"
#include "app/win32/link_label.h"
#include "app/win32/splitter_control.h"
#include "app/win32/tool_button.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_cues.h"

namespace remvana {

namespace {

// Notifications bubble up the parent chain until the window's own procedure has them.
LRESULT forwardToParent(HWND container, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(container);
    return parent ? SendMessageA(parent, msg, wParam, lParam) : 0;
}

} // namespace

LRESULT AdvPanel::panelMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_SIZE:
        // The body's gradient depends on the height: repaint all of it.
        InvalidateRect(hwnd(), nullptr, FALSE);
        break;
    }
    return defaultMessage(msg, wParam, lParam);
}

void AdvPanel::onPaint() {
    BufferedPaint paint(hwnd());
    paintPanelBody(paint.dc(), hwnd(), {0, 0});
}

HWND createAdvPanel(HWND parent, int id, const Rect& at) {
    return AdvPanel::create(parent, id, at);
}

HWND createPlainPanel(HWND parent, int id, const Rect& at) {
    return PlainPanel::create(parent, id, at);
}

void paintPanelBody(HDC dc, HWND panel, POINT origin) {
    Rect body = clientRectOf(panel);
    body.left -= origin.x;
    body.right -= origin.x;
    body.top -= origin.y;
    body.bottom -= origin.y;
    fillBands(dc, panelBody(body, highContrastOn()));
}

bool handleChildMessage(HWND container, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // Only top-level windows are told; every control that draws in its own colours
        // follows high contrast when it comes or goes. The container's default handling
        // still runs.
        sendToChildren(container, msg, wParam, lParam);
        RedrawWindow(container, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return false;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_BUTTON) {
            if (const ToolButton* button = ToolButton::fromHandle(item->hwndItem)) {
                button->draw(*item);
                result = TRUE;
                return true;
            }
        }
        if (item->CtlType == ODT_STATIC) {
            if (const LinkLabel* label = LinkLabel::fromHandle(item->hwndItem)) {
                label->draw(*item);
                result = TRUE;
                return true;
            }
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
