#pragma once
// Small GDI helpers for the window's own controls.
#include <windows.h>

#include <vector>

#include "app/paint_rules.h"
#include "platform/canvas.h"
#include "platform/win32/canvas_gdi.h"

namespace remvana {

void fillBands(HDC dc, const std::vector<ColorBand>& bands);
void frameSolid(HDC dc, const RECT& rect, COLORREF color);

} // namespace remvana
