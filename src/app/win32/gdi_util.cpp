#include "app/win32/gdi_util.h"

namespace remvana {

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
