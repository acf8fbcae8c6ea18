#include "platform/win32/canvas_gdi.h"

#include <algorithm>

#include "platform/utf8.h"
#include "platform/win32/code_page_win32.h"

namespace remvana {
namespace {

// DrawText's default tab stops: every eight average character widths.
constexpr int kTabStopChars = 8;

// Formats that need more than one line's layout (or text cut to fit) stay with DrawTextW.
constexpr unsigned kDrawTextOnlyMeasure = DT_WORDBREAK | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS |
                                          DT_WORD_ELLIPSIS | DT_MODIFYSTRING | DT_TABSTOP |
                                          DT_RTLREADING;
constexpr unsigned kDrawTextOnly = kDrawTextOnlyMeasure | DT_CALCRECT;

// Fonts in use stay selected while a paint runs; a bounded cache keeps a hostile markup
// (a new size in every tag) from exhausting GDI objects.
constexpr std::size_t kMaxCachedFonts = 64;

RECT clientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

} // namespace

COLORREF toColorRef(Color color) {
    if (color == kColorNone) return GetSysColor(COLOR_BTNFACE);
    if (isSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return RGB(redOf(color), greenOf(color), blueOf(color));
}

HFONT createFontOf(const Font& font) {
    return CreateFontW(font.height, 0, font.escapement, font.escapement,
                       font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline, font.strikeOut,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, ansiToWide(font.face).c_str());
}

int drawProgramText(HDC dc, const std::string& text, RECT& rect, UINT format) {
    std::wstring wide = ansiToWide(text);
    return DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &rect, format);
}

void fillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

BufferedPaint::BufferedPaint(HWND hwnd)
    : target_(hwnd), client_(clientOf(hwnd)), memory_(CreateCompatibleDC(target_.get())),
      bitmap_(CreateCompatibleBitmap(target_.get(), client_.right > 0 ? client_.right : 1,
                                     client_.bottom > 0 ? client_.bottom : 1)),
      selected_(memory_.get(), bitmap_.get()) {}

BufferedPaint::~BufferedPaint() {
    BitBlt(target_.get(), 0, 0, client_.right, client_.bottom, memory_.get(), 0, 0, SRCCOPY);
}

GdiTextCache::~GdiTextCache() = default;

void GdiTextCache::clear() {
    if (users_ > 0) {
        stale_ = true;
        return;
    }
    forget();
}

void GdiTextCache::forget() {
    stale_ = false;
    advances_.clear();
    fonts_.clear();
}

HFONT GdiTextCache::fontFor(const Font& font, HGDIOBJ selected) {
    const GdiFontKey key = gdiFontKeyOf(font);
    if (auto found = fonts_.find(key); found != fonts_.end()) return found->second.get();
    if (fonts_.size() >= kMaxCachedFonts) {
        // Drop every font but the one selected now.
        for (auto it = fonts_.begin(); it != fonts_.end();) {
            if (it->second.get() != selected) {
                advances_.erase(it->second.get());
                it = fonts_.erase(it);
            } else {
                ++it;
            }
        }
    }
    ScopedFont made(createFontOf(font));
    if (!made) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ++fontsMade_;
    return fonts_.emplace(key, std::move(made)).first->second.get();
}

GdiCanvas::GdiCanvas(HDC dc, GdiTextCache* cache)
    : dc_(dc), originalBkMode_(GetBkMode(dc)), originalTextColor_(GetTextColor(dc)),
      originalBkColor_(GetBkColor(dc)), cache_(cache != nullptr ? *cache : ownCache_.emplace()) {
    ++cache_.users_;
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
    fontScope_.reset();
    SetBkMode(dc_, originalBkMode_);
    SetTextColor(dc_, originalTextColor_);
    SetBkColor(dc_, originalBkColor_);
    if (--cache_.users_ == 0 && cache_.stale_) cache_.forget();
}

HFONT GdiCanvas::fontFor(const Font& font) {
    return cache_.fontFor(font, GetCurrentObject(dc_, OBJ_FONT));
}

void GdiCanvas::setFont(const Font& font) {
    font_ = font;
    HFONT made = fontFor(font);
    if (fontScope_)
        SelectObject(dc_, made);
    else
        fontScope_.emplace(dc_, made);
    SetTextColor(dc_, toColorRef(font.color));
}

void GdiCanvas::setBackground(Color color) {
    background_ = color;
    if (color == kColorNone) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, toColorRef(color));
    }
}

Size GdiCanvas::textExtent(const std::string& text) {
    const TextLine laid = layoutLine(text, DT_NOPREFIX);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc_, laid.shown.c_str(), static_cast<int>(laid.shown.size()), &size);
    return {laid.width, size.cy};
}

// Wine rasterises small hinted text (Tahoma at the window's sizes among it) with narrower
// advances than GetTextExtentPoint32 reports, so text measured one way and drawn the other
// ends short of its measured width: gaps between runs drawn one after the other, underlines
// past the last letter. The bitmap glyph's own advance is the one it is drawn with (on
// Windows it equals the text extent's), and every line is drawn with explicit advances.
int GdiCanvas::unitAdvance(wchar_t unit) {
    HFONT font = static_cast<HFONT>(GetCurrentObject(dc_, OBJ_FONT));
    GdiTextCache::Advances& known = cache_.advancesOf(font);
    int* slot = nullptr;
    if (unit < 256) {
        slot = &known.latin[unit];
    } else {
        slot = &known.other.try_emplace(unit, -1).first->second;
    }
    if (*slot >= 0) return *slot;

    ++cache_.glyphsMeasured_;
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc_, &unit, 1, &size);
    int advance = size.cx;
    LOGFONTW logFont{};
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    if (!surrogate && GetObjectW(font, sizeof logFont, &logFont) && logFont.lfEscapement == 0) {
        const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        GLYPHMETRICS glyph{};
        if (GetGlyphOutlineW(dc_, unit, GGO_BITMAP, &glyph, 0, nullptr, &identity) != GDI_ERROR)
            advance = glyph.gmCellIncX;
    }
    *slot = advance;
    return advance;
}

// A character outside the basic plane that GDI measures as its two units side by side has
// no glyph: Wine would draw it as two missing-glyph boxes, a character split in two. It is
// shown as the one box of its first unit instead. Where a font has the glyph (Windows with
// its emoji font), the pair measures as that one glyph and is drawn as it is.
bool GdiCanvas::showsAsTwoBoxes(wchar_t high, wchar_t low) {
    HFONT font = static_cast<HFONT>(GetCurrentObject(dc_, OBJ_FONT));
    const char32_t codePoint = 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
    auto [known, added] = cache_.advancesOf(font).boxedPairs.try_emplace(codePoint, false);
    if (added) {
        const wchar_t pair[2] = {high, low};
        SIZE whole{0, 0}, first{0, 0}, second{0, 0};
        GetTextExtentPoint32W(dc_, pair, 2, &whole);
        GetTextExtentPoint32W(dc_, &pair[0], 1, &first);
        GetTextExtentPoint32W(dc_, &pair[1], 1, &second);
        known->second = whole.cx == first.cx + second.cx;
    }
    return known->second;
}

int GdiCanvas::lineHeight(unsigned format) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight + ((format & DT_EXTERNALLEADING) ? metrics.tmExternalLeading : 0);
}

TextLine GdiCanvas::layoutLine(const std::string& text, unsigned format) {
    TextLine line;
    const bool prefixes = !(format & DT_NOPREFIX);
    const bool expandTabs = (format & DT_EXPANDTABS) != 0;
    int tabWidth = 0;
    if (expandTabs) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        tabWidth = std::max(1, static_cast<int>(metrics.tmAveCharWidth) * kTabStopChars);
    }
    const std::u16string units = ansiToUtf16(text);
    line.shown.reserve(units.size());
    line.advances.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        wchar_t c = units[i];
        bool marked = false;
        if (prefixes && c == L'&') {
            if (i + 1 == units.size()) break; // a last lone "&" marks nothing and shows nothing
            c = units[++i];
            marked = c != L'&';
        }
        bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                    units[i + 1] <= 0xDFFF;
        if (pair && showsAsTwoBoxes(c, units[i + 1])) {
            ++i; // the low unit is not drawn: one box for one character
            pair = false;
        }
        if (marked) {
            line.mnemonic = static_cast<int>(line.shown.size());
            line.mnemonicUnits = pair ? 2 : 1;
        }
        int advance = 0;
        if (expandTabs && c == L'\t') {
            c = L' ';
            advance = (line.width / tabWidth + 1) * tabWidth - line.width;
        } else {
            advance = unitAdvance(c);
        }
        line.shown += c;
        line.advances.push_back(advance);
        line.width += advance;
        if (pair) {
            const wchar_t low = units[++i];
            const int lowAdvance = unitAdvance(low);
            line.shown += low;
            line.advances.push_back(lowAdvance);
            line.width += lowAdvance;
        }
    }
    return line;
}

int GdiCanvas::drawText(const std::string& text, Rect& rect, unsigned format) {
    if ((format & DT_SINGLELINE) && !(format & kDrawTextOnly)) return drawLine(text, rect, format);
    if ((format & DT_SINGLELINE) && (format & DT_CALCRECT) && !(format & kDrawTextOnlyMeasure)) {
        rect.right = rect.left + layoutLine(text, format).width;
        int height = lineHeight(format);
        rect.bottom = rect.top + height;
        return height;
    }
    RECT r = toRECT(rect);
    int height = drawProgramText(dc_, text, r, format);
    if (format & DT_CALCRECT) rect = toRect(r);
    return height;
}

// Placed in its rectangle the way DrawText places a single line.
int GdiCanvas::drawLine(const std::string& text, const Rect& rect, unsigned format) {
    const TextLine laid = layoutLine(text, format);
    const int height = lineHeight(format);
    int x = rect.left;
    if (format & DT_CENTER)
        x = (rect.left + rect.right - laid.width) / 2;
    else if (format & DT_RIGHT)
        x = rect.right - laid.width;
    int y = rect.top;
    if (format & DT_VCENTER)
        y = rect.top + rect.height() / 2 - height / 2;
    else if (format & DT_BOTTOM)
        y = rect.bottom - height;
    if (laid.shown.empty()) return y + height - rect.top;

    RECT clip = toRECT(rect);
    const bool clipped = !(format & DT_NOCLIP);
    ExtTextOutW(dc_, x, y, clipped ? ETO_CLIPPED : 0, &clip, laid.shown.c_str(),
                static_cast<UINT>(laid.shown.size()), laid.advances.data());
    if (laid.mnemonic >= 0) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        int from = x;
        for (int i = 0; i < laid.mnemonic; ++i)
            from += laid.advances[i];
        int marked = 0;
        for (int i = 0; i < laid.mnemonicUnits; ++i)
            marked += laid.advances[laid.mnemonic + i];
        // Like DrawText's, the mark stops a pixel short of the next character.
        int to = from + marked - 1;
        const int underlineY = y + metrics.tmAscent + 1;
        if (clipped) {
            from = std::max(from, rect.left);
            to = std::min(to, rect.right);
        }
        if (from < to && (!clipped || (underlineY >= rect.top && underlineY < rect.bottom)))
            line(Point{from, underlineY}, Point{to, underlineY}, GetTextColor(dc_));
    }
    return y + height - rect.top;
}

void GdiCanvas::textOut(int x, int y, const std::string& text) {
    const std::wstring wide = ansiToWide(text);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void GdiCanvas::fillRect(const Rect& rect, Color color) {
    if (color == kColorNone) return;
    fillSolid(dc_, toRECT(rect), toColorRef(color));
}

void GdiCanvas::frameRect(const Rect& rect, Color color) {
    if (color == kColorNone) return;
    RECT r = toRECT(rect);
    ScopedBrush brush(CreateSolidBrush(toColorRef(color)));
    FrameRect(dc_, &r, brush.get());
}

void GdiCanvas::focusRect(const Rect& rect) {
    RECT r = toRECT(rect);
    // Drawn in the text colours the rectangle inverts against.
    const COLORREF text = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc_, RGB(0xFF, 0xFF, 0xFF));
    DrawFocusRect(dc_, &r);
    SetTextColor(dc_, text);
    SetBkColor(dc_, back);
}

void GdiCanvas::line(Point from, Point to, Color color) {
    ScopedPen pen(CreatePen(PS_SOLID, 1, toColorRef(color)));
    SelectedObject selected(dc_, pen.get());
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
}

void GdiCanvas::setPixel(Point at, Color color) {
    SetPixel(dc_, at.x, at.y, toColorRef(color));
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
    ScopedRegion region(CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom));
    SelectClipRgn(dc_, region.get());
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
    if (dpi_ > 0) return dpi_;
    return GetDeviceCaps(dc_, LOGPIXELSX);
}
int GdiCanvas::logPixelsY() {
    if (dpi_ > 0) return dpi_;
    return GetDeviceCaps(dc_, LOGPIXELSY);
}

} // namespace remvana
