#pragma once
// Small GDI helpers for the window's own controls.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "app/paint_rules.h"
#include "platform/canvas.h"
#include "platform/win32/canvas_gdi.h"

namespace remvana {

void fillBands(HDC dc, const std::vector<ColorBand>& bands);
void frameSolid(HDC dc, const RECT& rect, COLORREF color);
// Appends the program's icon resource `id`, loaded at `size` pixels, to `images`.
void addIconResource(HIMAGELIST images, HINSTANCE instance, int id, int size);

} // namespace remvana
