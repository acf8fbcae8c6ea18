#include "app/win32/gdi_util.h"

namespace remvana {

COLORREF toColorRef(Color color) {
    if (color == kColorNone) return GetSysColor(COLOR_BTNFACE);
    if (isSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return RGB(redOf(color), greenOf(color), blueOf(color));
}

void fillBands(HDC dc, const std::vector<ColorBand>& bands) {
    for (const auto& band : bands)
        fillSolid(dc, toRECT(band.rect), toColorRef(band.color));
}

void frameSolid(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace remvana
