#include "app/win32/splitter_control.h"

#include <windowsx.h>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/win32/gdi_util.h"
#include "app/win32/panel_control.h"
#include "app/win32/window_util.h"

namespace remvana {

namespace {

struct DragState {
    bool dragging = false;
    int grabOffset = 0; // where in the bar the mouse went down
    int lineLeft = 0;   // current hatched line, in the parent's coordinates
};

DragState drag;

// Draws (or, drawn again, removes) the hatched drag line across the parent.
void toggleDragLine(HWND splitter, int left) {
    HWND parent = GetParent(splitter);
    RECT bar{};
    GetWindowRect(splitter, &bar);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bar), 2);
    // Across the panes on both sides of the bar, so not clipped by the parent's children.
    HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH brush = CreatePatternBrush(bitmap);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, left, bar.top, bar.right - bar.left, bar.bottom - bar.top, PATINVERT);
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteObject(bitmap);
    ReleaseDC(parent, dc);
}

int parentX(HWND splitter, LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(splitter, GetParent(splitter), &at, 1);
    return at.x;
}

// Follows the mouse with the line, kept where both sides have their minimum width.
void moveDragLine(HWND splitter, LPARAM lParam) {
    const int container = clientRectOf(GetParent(splitter)).width();
    const int left =
        splitterDragWidth(parentX(splitter, lParam) - drag.grabOffset, container, drag.lineLeft);
    if (left == drag.lineLeft) return;
    toggleDragLine(splitter, drag.lineLeft);
    drag.lineLeft = left;
    toggleDragLine(splitter, drag.lineLeft);
}

LRESULT CALLBACK splitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        // The bar shows the body of the panel behind it.
        BufferedPaint paint(hwnd);
        POINT origin{0, 0};
        MapWindowPoints(hwnd, GetParent(hwnd), &origin, 1);
        paintPanelBody(paint.dc(), GetParent(hwnd), origin);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        SetCapture(hwnd);
        drag.dragging = true;
        drag.grabOffset = GET_X_LPARAM(lParam);
        drag.lineLeft = parentX(hwnd, lParam) - drag.grabOffset;
        toggleDragLine(hwnd, drag.lineLeft);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (drag.dragging) moveDragLine(hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (drag.dragging) {
            moveDragLine(hwnd, lParam);
            drag.dragging = false;
            toggleDragLine(hwnd, drag.lineLeft);
            ReleaseCapture();
            SendMessageA(GetParent(hwnd), kSplitterMovedMessage, static_cast<WPARAM>(drag.lineLeft),
                         reinterpret_cast<LPARAM>(hwnd));
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (drag.dragging && reinterpret_cast<HWND>(lParam) != hwnd) {
            drag.dragging = false;
            toggleDragLine(hwnd, drag.lineLeft);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

void registerSplitterClass(HINSTANCE instance) {
    registerWindowClass(instance, kSplitterClass, splitterProc, IDC_SIZEWE);
}

HWND createSplitter(HWND parent, int id, int left, int top, int width, int height,
                    HINSTANCE instance) {
    return CreateWindowExA(0, kSplitterClass, "", WS_CHILD | WS_VISIBLE, left, top, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           nullptr);
}

} // namespace remvana
