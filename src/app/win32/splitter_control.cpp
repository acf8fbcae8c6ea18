#include "app/win32/splitter_control.h"

#include <windowsx.h>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/win32/panel_control.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

HWND SplitterControl::create(HWND parent, int id, int left, int top, int width, int height) {
    return createOwned([&](SplitterControl& bar) {
        return bar.createWindow(0, "", WS_CHILD | WS_VISIBLE, left, top, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    });
}

LRESULT SplitterControl::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_LBUTTONDOWN:
        onButtonDown(lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_) moveDragLine(lParam);
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        onCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return defaultMessage(msg, wParam, lParam);
}

void SplitterControl::onPaint() {
    // The bar shows the body of the panel behind it.
    BufferedPaint paint(hwnd());
    POINT origin{0, 0};
    MapWindowPoints(hwnd(), GetParent(hwnd()), &origin, 1);
    paintPanelBody(paint.dc(), GetParent(hwnd()), origin);
}

void SplitterControl::onButtonDown(LPARAM lParam) {
    SetCapture(hwnd());
    dragging_ = true;
    grabOffset_ = GET_X_LPARAM(lParam);
    lineLeft_ = parentX(lParam) - grabOffset_;
    toggleDragLine(lineLeft_);
}

void SplitterControl::onButtonUp(LPARAM lParam) {
    if (!dragging_) return;
    moveDragLine(lParam);
    dragging_ = false;
    toggleDragLine(lineLeft_);
    ReleaseCapture();
    SendMessageA(GetParent(hwnd()), kSplitterMovedMessage, static_cast<WPARAM>(lineLeft_),
                 reinterpret_cast<LPARAM>(hwnd()));
}

void SplitterControl::onCaptureChanged(HWND newCapture) {
    if (!dragging_ || newCapture == hwnd()) return;
    dragging_ = false;
    toggleDragLine(lineLeft_);
}

// Follows the mouse with the line, kept where both sides have their minimum width.
void SplitterControl::moveDragLine(LPARAM lParam) {
    const int container = clientRectOf(GetParent(hwnd())).width();
    const int left = splitterDragWidth(parentX(lParam) - grabOffset_, container, lineLeft_);
    if (left == lineLeft_) return;
    toggleDragLine(lineLeft_);
    lineLeft_ = left;
    toggleDragLine(lineLeft_);
}

// Draws (or, drawn again, removes) the hatched drag line across the parent.
void SplitterControl::toggleDragLine(int left) const {
    HWND parent = GetParent(hwnd());
    RECT bar{};
    GetWindowRect(hwnd(), &bar);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bar), 2);
    // Across the panes on both sides of the bar, so not clipped by the parent's children.
    ClientDc dc(parent, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    ScopedBitmap bitmap(CreateBitmap(8, 8, 1, 1, pattern));
    ScopedBrush brush(CreatePatternBrush(bitmap.get()));
    SelectedObject hatch(dc.get(), brush.get());
    PatBlt(dc.get(), left, bar.top, bar.right - bar.left, bar.bottom - bar.top, PATINVERT);
}

int SplitterControl::parentX(LPARAM lParam) const {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(hwnd(), GetParent(hwnd()), &at, 1);
    return at.x;
}

HWND createSplitter(HWND parent, int id, int left, int top, int width, int height) {
    return SplitterControl::create(parent, id, left, top, width, height);
}

} // namespace remvana
