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

BufferedPaint::BufferedPaint(HWND hwnd) : hwnd_(hwnd) {
    target_ = BeginPaint(hwnd, &paint_);
    GetClientRect(hwnd, &client_);
    memory_ = CreateCompatibleDC(target_);
    bitmap_ = CreateCompatibleBitmap(target_, client_.right > 0 ? client_.right : 1,
                                     client_.bottom > 0 ? client_.bottom : 1);
    oldBitmap_ = SelectObject(memory_, bitmap_);
}

BufferedPaint::~BufferedPaint() {
    BitBlt(target_, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
    SelectObject(memory_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
    EndPaint(hwnd_, &paint_);
}

} // namespace remvana
