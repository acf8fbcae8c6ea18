#include "platform/win32/canvas_gdi.h"

namespace remvana {
namespace {

RECT toRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

// Fonts in use stay selected while a paint runs; a bounded cache keeps a hostile markup
// (a new size in every tag) from exhausting GDI objects.
constexpr std::size_t kMaxCachedFonts = 64;

} // namespace

GdiCanvas::GdiCanvas(HDC dc)
    : dc_(dc), originalBkMode_(GetBkMode(dc)), originalTextColor_(GetTextColor(dc)),
      originalBkColor_(GetBkColor(dc)) {
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
    if (originalFont_) SelectObject(dc_, originalFont_);
    for (auto& [key, font] : fonts_)
        DeleteObject(font);
    SetBkMode(dc_, originalBkMode_);
    SetTextColor(dc_, originalTextColor_);
    SetBkColor(dc_, originalBkColor_);
}

HFONT GdiCanvas::fontFor(const Font& font) {
    FontKey key{font.face,      font.height,    font.bold,      font.italic,
                font.underline, font.strikeOut, font.escapement};
    if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    if (fonts_.size() >= kMaxCachedFonts) {
        // Drop every font but the one selected now.
        HGDIOBJ current = GetCurrentObject(dc_, OBJ_FONT);
        for (auto it = fonts_.begin(); it != fonts_.end();) {
            if (it->second != current) {
                DeleteObject(it->second);
                it = fonts_.erase(it);
            } else {
                ++it;
            }
        }
    }
    HFONT made = CreateFontA(
        font.height, 0, font.escapement, font.escapement, font.bold ? FW_BOLD : FW_NORMAL,
        font.italic, font.underline, font.strikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face.c_str());
    if (!made)
        made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        fonts_.emplace(key, made);
    return made;
}

COLORREF GdiCanvas::colorRef(Color color) {
    return static_cast<COLORREF>(resolve(color));
}

void GdiCanvas::setFont(const Font& font) {
    font_ = font;
    HGDIOBJ previous = SelectObject(dc_, fontFor(font));
    if (!originalFont_) originalFont_ = previous;
    SetTextColor(dc_, colorRef(font.color));
}

void GdiCanvas::setBackground(Color color) {
    background_ = color;
    if (color == kColorNone) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, colorRef(color));
    }
}

Size GdiCanvas::textExtent(const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}

int GdiCanvas::drawText(const std::string& text, Rect& rect, unsigned format) {
    RECT r = toRECT(rect);
    int height = DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
    if (format & DT_CALCRECT) rect = Rect{r.left, r.top, r.right, r.bottom};
    return height;
}

void GdiCanvas::textOut(int x, int y, const std::string& text) {
    TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void GdiCanvas::fillRect(const Rect& rect, Color color) {
    if (color == kColorNone) return;
    RECT r = toRECT(rect);
    HBRUSH brush = CreateSolidBrush(colorRef(color));
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
}

void GdiCanvas::frameRect(const Rect& rect, Color color) {
    if (color == kColorNone) return;
    RECT r = toRECT(rect);
    HBRUSH brush = CreateSolidBrush(colorRef(color));
    FrameRect(dc_, &r, brush);
    DeleteObject(brush);
}

void GdiCanvas::line(Point from, Point to, Color color) {
    HPEN pen = CreatePen(PS_SOLID, 1, colorRef(color));
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
    SelectObject(dc_, old);
    DeleteObject(pen);
}

void GdiCanvas::setPixel(Point at, Color color) {
    SetPixel(dc_, at.x, at.y, colorRef(color));
}

void GdiCanvas::drawFrameControl(const Rect& rect, FrameControl kind, bool checked, bool pushed) {
    RECT r = toRECT(rect);
    UINT type = DFC_BUTTON;
    UINT state = 0;
    switch (kind) {
    case FrameControl::CheckBox:
        state = DFCS_BUTTONCHECK;
        break;
    case FrameControl::RadioButton:
        state = DFCS_BUTTONRADIO;
        break;
    case FrameControl::PushButton:
        state = DFCS_BUTTONPUSH;
        break;
    case FrameControl::ComboButton:
        type = DFC_SCROLL;
        state = DFCS_SCROLLCOMBOBOX;
        break;
    }
    if (checked) state |= DFCS_CHECKED;
    if (pushed) state |= DFCS_PUSHED;
    DrawFrameControl(dc_, &r, type, state);
}

void GdiCanvas::drawIcon(IconHandle icon, int x, int y, int size) {
    DrawIconEx(dc_, x, y, reinterpret_cast<HICON>(icon), size, size, 0, nullptr, DI_NORMAL);
}

void GdiCanvas::setClip(const Rect& rect) {
    HRGN region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    SelectClipRgn(dc_, region);
    DeleteObject(region);
}

void GdiCanvas::resetClip() {
    SelectClipRgn(dc_, nullptr);
}

Color GdiCanvas::resolve(Color color) {
    if (isSystemColor(color))
        return static_cast<Color>(GetSysColor(static_cast<int>(color & 0xFF)));
    if (color == kColorNone) return static_cast<Color>(GetSysColor(COLOR_BTNFACE));
    return color;
}

int GdiCanvas::logPixelsX() {
    return GetDeviceCaps(dc_, LOGPIXELSX);
}
int GdiCanvas::logPixelsY() {
    return GetDeviceCaps(dc_, LOGPIXELSY);
}

} // namespace remvana
