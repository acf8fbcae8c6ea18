#include "app/win32/gdi_util.h"

#include "platform/win32/scoped_handles.h"

namespace remvana {

void fillBands(HDC dc, const std::vector<ColorBand>& bands) {
    for (const auto& band : bands)
        fillSolid(dc, toRECT(band.rect), toColorRef(band.color));
}

void frameSolid(HDC dc, const RECT& rect, COLORREF color) {
    const ScopedBrush brush(CreateSolidBrush(color));
    FrameRect(dc, &rect, brush.get());
}

void addIconResource(HIMAGELIST images, HINSTANCE instance, int id, int size) {
    const ScopedIcon image(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
    if (image) ImageList_AddIcon(images, image.get()); // the list keeps a copy
}

} // namespace remvana
