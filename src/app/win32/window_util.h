#pragma once
// What the window's controls share: where a child sits in its parent and how it is moved,
// and the tooltips of the window's tooltip control (also used by tests).
#include <windows.h>

#include <string>

#include "platform/canvas.h"
#include "platform/win32/window_impl.h"

namespace remvana {

Size clientSizeOf(HWND hwnd);
Rect clientRectOf(HWND hwnd);
// Outer width of a window, frame included.
int outerWidthOf(HWND hwnd);
// A child's rectangle in its parent's client coordinates.
Rect childRectOf(HWND hwnd);

// Moves or sizes a child without touching its z-order or activation; moveChild does
// nothing when the child is already there, sizes never go below zero.
void moveChild(HWND hwnd, const Rect& at);
void setChildLeft(HWND hwnd, int left);
void setChildTop(HWND hwnd, int top);
void setChildSize(HWND hwnd, int width, int height);

// Sends the message to each direct child of `parent`; containers pass it on in turn.
void sendToChildren(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

// A tooltip of the window's tooltip control for one child: added once, its text replaced
// later, and read back (empty when the child has none).
void addControlTooltip(HWND tooltips, HWND control, const std::string& text);
void setControlTooltip(HWND tooltips, HWND control, const std::string& text);
std::string controlTooltip(HWND tooltips, HWND control);

} // namespace remvana
