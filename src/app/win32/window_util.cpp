#include "app/win32/window_util.h"

#include <commctrl.h>

#include <algorithm>

namespace remvana {

Size clientSizeOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

Rect clientRectOf(HWND hwnd) {
    const Size size = clientSizeOf(hwnd);
    return {0, 0, size.cx, size.cy};
}

int outerWidthOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.right - r.left;
}

Rect childRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void moveChild(HWND hwnd, const Rect& at) {
    if (childRectOf(hwnd) == at) return;
    SetWindowPos(hwnd, nullptr, at.left, at.top, std::max(0, at.width()), std::max(0, at.height()),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void setChildLeft(HWND hwnd, int left) {
    SetWindowPos(hwnd, nullptr, left, childRectOf(hwnd).top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void setChildTop(HWND hwnd, int top) {
    SetWindowPos(hwnd, nullptr, childRectOf(hwnd).left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void setChildSize(HWND hwnd, int width, int height) {
    SetWindowPos(hwnd, nullptr, 0, 0, std::max(0, width), std::max(0, height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void sendToChildren(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, msg, wParam, lParam);
}

namespace {

TOOLINFOA toolOf(HWND control, char* text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    return tool;
}

} // namespace

void addControlTooltip(HWND tooltips, HWND control, const std::string& text) {
    std::string copy = text;
    TOOLINFOA tool = toolOf(control, copy.data());
    SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void setControlTooltip(HWND tooltips, HWND control, const std::string& text) {
    std::string copy = text;
    TOOLINFOA tool = toolOf(control, copy.data());
    SendMessageA(tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string controlTooltip(HWND tooltips, HWND control) {
    char text[256] = {};
    TOOLINFOA tool = toolOf(control, text);
    SendMessageA(tooltips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

bool redrawsAfterDefault(UINT msg, const OwnerDrawnControl& control) {
    switch (msg) {
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return control.drawsFocus;
    }
    return false;
}

} // namespace remvana
