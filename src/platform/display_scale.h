#pragma once
// Display scaling: every pixel figure of the program's layout is written for 96 dots per
// inch (100 %) and scaled to the DPI of the window it is used in, so the window is drawn
// sharp at any scale instead of being stretched by the system as a bitmap.
#include "platform/canvas.h"

namespace remvana {

// The DPI the layout's figures are written for.
inline constexpr int kDesignDpi = 96;

// `px` design pixels at `dpi`: rounded to the nearest pixel, halves away from zero, as
// Windows' MulDiv(px, dpi, 96) rounds. At 96 every figure stays exactly what it is. A DPI
// below 1 (nothing could be asked) counts as 96.
int scaled(int px, int dpi);
// A rectangle given by its position and size: both scaled, so a control keeps its scaled
// width wherever it sits.
Rect scaledRect(const Rect& rect, int dpi);
// The font with its pixel height scaled.
Font scaledFont(const Font& font, int dpi);
// A figure already shown at `fromDpi` (a column the user sized) taken to `toDpi`.
int rescaled(int px, int fromDpi, int toDpi);

} // namespace remvana
