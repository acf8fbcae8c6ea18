#pragma once
// What the program asks Windows about display scaling. The program runs on Windows 7 and on
// Wine 8, which lack some of the per-monitor calls: those are looked up at run time and the
// screen's DPI stands in where they are missing.
#include <windows.h>

#include "platform/canvas.h"

namespace remvana {

// The system DPI (GetDpiForSystem, else the screen's LOGPIXELSX).
int systemDpi();
// The DPI the window is shown at (GetDpiForWindow, else the system DPI).
int windowDpi(HWND hwnd);

// The DPI a window and its children lay themselves out for: the one their top-level window
// recorded, so that a window told of a new scale (WM_DPICHANGED) uses it in every control
// at once; windowDpi until one is recorded.
void setLayoutDpi(HWND topLevel, int dpi);
int layoutDpi(HWND hwnd);

// A font of the program's at `dpi` (the font's height scaled from 96 DPI; at 96 the font as
// given), made once and kept for the process. This is how every window gets the fonts it is
// given or draws its own text in: they share a handful for every scale they are shown at, a
// control picks its font at paint time without owning one, and no font is deleted while a
// control still holds it. (The markup canvas keeps the fonts its text asks for in its own
// bounded cache instead: markup may ask for any number of them.)
HFONT fontAtDpi(const Font& font, int dpi);

// What WM_DPICHANGED brings: the new DPI and the window rectangle the system suggests.
struct DpiChange {
    int dpi = 96;
    RECT suggested{};
};
DpiChange dpiChangeOf(WPARAM wParam, LPARAM lParam);

} // namespace remvana
