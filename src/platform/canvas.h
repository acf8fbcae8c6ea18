#pragma once
// A drawing surface: what the markup engine and the window's painting need from GDI.
// The engine lays out and decides; a canvas only measures and draws.
#include <cstdint>
#include <string>

#include "platform/shell.h"

namespace remvana {

// Colours are COLORREF-like: 0x00BBGGRR. Two reserved forms: kColorNone (no colour:
// transparent background, "leave as is") and system colours (kSystemColorFlag | index),
// resolved by the canvas at drawing time.
using Color = std::uint32_t;
inline constexpr Color kColorNone = 0x1FFFFFFF;
inline constexpr Color kSystemColorFlag = 0x80000000;
constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr Color systemColor(int index) {
    return kSystemColorFlag | static_cast<Color>(index);
}
constexpr bool isSystemColor(Color c) {
    return (c & kSystemColorFlag) != 0 && c != kColorNone;
}
constexpr int redOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// System colour indices (GetSysColor).
inline constexpr int kColorActiveCaption = 2;
inline constexpr int kColorWindow = 5;
inline constexpr int kColorWindowText = 8;
inline constexpr int kColorHighlight = 13;
inline constexpr int kColorHighlightText = 14;
inline constexpr int kColorBtnFace = 15;
inline constexpr int kColorBtnShadow = 16;
inline constexpr int kColorGrayText = 17;
inline constexpr int kColorBtnText = 18;
inline constexpr int kColorBtnHighlight = 20;
inline constexpr int kColorHotLight = 26;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool operator==(const Rect&) const = default;
};

struct Font {
    std::string face = "Tahoma";
    int height = -11; // negative: character height in pixels
    Color color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0; // tenths of a degree, counter-clockwise
    bool operator==(const Font&) const = default;
};

// DrawText format flags, with the values user32 uses.
namespace text_format {
inline constexpr unsigned Left = 0x0000;
inline constexpr unsigned Center = 0x0001;
inline constexpr unsigned Right = 0x0002;
inline constexpr unsigned VCenter = 0x0004;
inline constexpr unsigned Bottom = 0x0008;
inline constexpr unsigned WordBreak = 0x0010;
inline constexpr unsigned SingleLine = 0x0020;
inline constexpr unsigned ExpandTabs = 0x0040;
inline constexpr unsigned NoClip = 0x0100;
inline constexpr unsigned ExternalLeading = 0x0200;
inline constexpr unsigned CalcRect = 0x0400;
inline constexpr unsigned NoPrefix = 0x0800;
inline constexpr unsigned EndEllipsis = 0x8000;
} // namespace text_format

// Frame controls the markup's embedded controls draw (DrawFrameControl kinds).
enum class FrameControl { CheckBox, RadioButton, PushButton, ComboButton };

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void setFont(const Font& font) = 0;
    virtual const Font& font() const = 0;
    // Opaque background for text cells; kColorNone draws text transparently.
    virtual void setBackground(Color color) = 0;
    virtual Color background() const = 0;

    // Size of the text in the current font, no prefix handling.
    virtual Size textExtent(const std::string& text) = 0;
    // DrawTextA semantics in the current font and background; returns the text height.
    // With text_format::CalcRect it only measures, updating rect.
    virtual int drawText(const std::string& text, Rect& rect, unsigned format) = 0;
    virtual void textOut(int x, int y, const std::string& text) = 0;

    virtual void fillRect(const Rect& rect, Color color) = 0;
    // One-pixel unfilled rectangle.
    virtual void frameRect(const Rect& rect, Color color) = 0;
    // The system's keyboard focus rectangle (dotted, drawn so that it shows on any colour).
    virtual void focusRect(const Rect& rect) = 0;
    virtual void line(Point from, Point to, Color color) = 0;
    virtual void setPixel(Point at, Color color) = 0;
    virtual void drawFrameControl(const Rect& rect, FrameControl kind, bool checked,
                                  bool pushed) = 0;
    virtual void drawIcon(IconHandle icon, int x, int y, int size) = 0;

    // Clipping to a rectangle, until resetClip.
    virtual void setClip(const Rect& rect) = 0;
    virtual void resetClip() = 0;

    // The platform's current value of a colour (system colours resolved, others unchanged).
    virtual Color resolve(Color color) = 0;
    virtual int logPixelsX() = 0;
    virtual int logPixelsY() = 0;
};

} // namespace remvana
