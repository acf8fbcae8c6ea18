#pragma once
// Small GDI helpers for the window's own controls.
#include <windows.h>

#include <vector>

#include "app/paint_rules.h"
#include "platform/canvas.h"
#include "platform/win32/canvas_gdi.h"

namespace remvana {

// System colours resolved; kColorNone reads as the button face.
COLORREF toColorRef(Color color);
void fillBands(HDC dc, const std::vector<ColorBand>& bands);
void frameSolid(HDC dc, const RECT& rect, COLORREF color);

// Paints into a memory bitmap first and copies it in one go, so panels do not flicker.
class BufferedPaint {
  public:
    BufferedPaint(HWND hwnd);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC dc() const { return memory_; }
    const RECT& client() const { return client_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC target_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    RECT client_{};
};

} // namespace remvana
