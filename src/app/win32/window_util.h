#pragma once
// What the window's controls share: where a child sits in its parent and how it is moved,
// the tooltips of the window's tooltip control (also used by tests), and what its
// owner-drawn controls answer alike.
#include <windows.h>

#include <string>

#include "platform/canvas.h"
#include "platform/win32/accessible_object.h"
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

// An owner-drawn control of the window (a tool button, a link): its accessible role, and
// whether it draws a focus rectangle of its own.
struct OwnerDrawnControl {
    long role = 0;
    bool drawsFocus = false;
};

// Whether the control is drawn again once the default handling of the message has run: the
// keyboard cues, high contrast or the system colours changed (and the focus, where the
// control draws it).
bool redrawsAfterDefault(UINT msg, const OwnerDrawnControl& control);

// What such a control answers to a message its own handler left: a screen reader's
// WM_GETOBJECT with its accessible object; anything else through `defaultMessage`, then
// drawing it again where redrawsAfterDefault says so.
template <class DefaultMessage>
LRESULT answerOwnerDrawn(HWND hwnd, AccessibleSlot& accessible, const OwnerDrawnControl& control,
                         UINT msg, WPARAM wParam, LPARAM lParam, DefaultMessage&& defaultMessage) {
    if (msg == WM_GETOBJECT)
        if (auto answer = accessible.answerWithRole(hwnd, control.role, wParam, lParam))
            return *answer;
    const LRESULT result = defaultMessage(msg, wParam, lParam);
    if (redrawsAfterDefault(msg, control)) InvalidateRect(hwnd, nullptr, FALSE);
    return result;
}

} // namespace remvana
