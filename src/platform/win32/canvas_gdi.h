#pragma once
// The Canvas over a GDI device context: fonts made on demand and kept in a GdiTextCache
// (the canvas's own, or one a window keeps across paints), colours resolved against the
// system's current colours.
#include <windows.h>

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

inline RECT toRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}
inline Rect toRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}
// The COLORREF GDI draws a Color with: system colours resolved against the current scheme,
// kColorNone read as the button face.
COLORREF toColorRef(Color color);
// A GDI font of the face, height, weight, style and escapement asked for; nullptr when GDI
// cannot make it.
HFONT createFontOf(const Font& font);
// What tells two fonts apart for createFontOf (the colour is not part of a GDI font): the key
// of the caches that keep the fonts it made.
using GdiFontKey = std::tuple<std::string, int, bool, bool, bool, bool, int>;
inline GdiFontKey gdiFontKeyOf(const Font& font) {
    return {font.face,      font.height,    font.bold,      font.italic,
            font.underline, font.strikeOut, font.escapement};
}
// DrawText for the program's text: it is in the process code page (UTF-8), which DrawTextA
// would read in the selected font's character set instead, so it goes through DrawTextW.
int drawProgramText(HDC dc, const std::string& text, RECT& rect, UINT format);
// Fills `rect` with a solid colour without making a brush for it.
void fillSolid(HDC dc, const RECT& rect, COLORREF color);

// Paints into a memory bitmap first and copies it in one go, so a control does not flicker.
class BufferedPaint {
  public:
    explicit BufferedPaint(HWND hwnd);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC dc() const { return memory_.get(); }
    const RECT& client() const { return client_; }

  private:
    // In the order they are made; they go back in the reverse one, after the copy.
    PaintDc target_;
    RECT client_;
    ScopedMemoryDc memory_;
    ScopedBitmap bitmap_;
    SelectedObject selected_;
};

// One line of DrawText-style text laid out character by character: what is shown, as the
// UTF-16 units GDI draws (prefix marks taken out, expanded tabs as spaces), and how far each
// unit advances. A character of two units keeps them together: a mark or a cut never falls
// between them (and one the font has no glyph for shows as one box, see showsAsTwoBoxes).
struct TextLine {
    std::wstring shown;
    std::vector<int> advances;
    int mnemonic = -1;     // index in `shown` of the first unit of the character a lone "&" marks
    int mnemonicUnits = 0; // how many units that character has
    int width = 0;
};

// The fonts canvases make and how far GDI advances each character in them. Making a font
// and measuring its glyphs are what a layout costs, so a window that lays the same text out
// at every paint and mouse move keeps one of these for as long as its font and text stay the
// same, and hands it to each canvas it makes; a canvas without one keeps its own.
class GdiTextCache {
  public:
    GdiTextCache() = default;
    ~GdiTextCache();
    GdiTextCache(const GdiTextCache&) = delete;
    GdiTextCache& operator=(const GdiTextCache&) = delete;

    // Forgets every font and advance (once no canvas is using them any more).
    void clear();
    // How many fonts every cache of the process has made, and glyphs measured, so far.
    static std::size_t fontsMade() { return fontsMade_; }
    static std::size_t glyphsMeasured() { return glyphsMeasured_; }

  private:
    friend class GdiCanvas;
    // Per font, the advance of each UTF-16 unit once asked for: a table for the common
    // Latin units, a map for the rest.
    struct Advances {
        Advances() { latin.fill(-1); }
        std::array<int, 256> latin;
        std::unordered_map<wchar_t, int> other;
        std::unordered_map<char32_t, bool> boxedPairs; // see GdiCanvas::showsAsTwoBoxes
    };
    // The font for `font`, made when it is new; `selected` (the font a canvas has selected
    // now) is kept when the cache is full and drops the rest.
    HFONT fontFor(const Font& font, HGDIOBJ selected);
    Advances& advancesOf(HFONT font) { return advances_[font]; }
    void forget();

    std::map<GdiFontKey, ScopedFont> fonts_;
    std::map<HFONT, Advances> advances_;
    static inline std::size_t fontsMade_ = 0;
    static inline std::size_t glyphsMeasured_ = 0;
    // Canvases using it now; a clear asked for meanwhile waits for the last to go, since a
    // font selected into a device context cannot be deleted.
    int users_ = 0;
    bool stale_ = false;
};

class GdiCanvas : public Canvas {
  public:
    // With `cache` the canvas makes and measures through it (it must outlive the canvas);
    // without, through one of its own.
    explicit GdiCanvas(HDC dc, GdiTextCache* cache = nullptr);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }
    // The DPI logPixelsX/Y report instead of the device's: the window's own scale, which on
    // a second display differs from the system DPI a device context tells.
    void setDpi(int dpi) { dpi_ = dpi; }

    void setFont(const Font& font) override;
    const Font& font() const override { return font_; }
    void setBackground(Color color) override;
    Color background() const override { return background_; }

    // Measuring and drawing a single line use the advances GDI rasterises each character
    // with (see layoutLine), so text takes exactly the room it was measured to take.
    Size textExtent(const std::string& text) override;
    // A single line (the markup's runs, captions) is drawn glyph by glyph at the places the
    // measurement gives them; anything else goes to DrawTextW. Text is the process code page
    // (UTF-8) and reaches GDI as UTF-16: GDI's ...A calls would read it in the font's
    // character set instead, one byte a character.
    int drawText(const std::string& text, Rect& rect, unsigned format) override;
    // Lays one line out in the current font, with DrawText's prefix and tab rules.
    TextLine layoutLine(const std::string& text, unsigned format);
    void textOut(int x, int y, const std::string& text) override;
    void fillRect(const Rect& rect, Color color) override;
    void frameRect(const Rect& rect, Color color) override;
    void focusRect(const Rect& rect) override;
    void line(Point from, Point to, Color color) override;
    void setPixel(Point at, Color color) override;
    void drawFrameControl(const Rect& rect, FrameControl kind, bool checked, bool pushed) override;
    void drawIcon(IconHandle icon, int x, int y, int size) override;
    void setClip(const Rect& rect) override;
    void resetClip() override;
    Color resolve(Color color) override;
    int logPixelsX() override;
    int logPixelsY() override;

  private:
    HFONT fontFor(const Font& font);
    int drawLine(const std::string& text, const Rect& rect, unsigned format);
    int unitAdvance(wchar_t unit);
    bool showsAsTwoBoxes(wchar_t high, wchar_t low);
    int lineHeight(unsigned format);

    HDC dc_;
    int dpi_ = 0; // 0: the device's
    Font font_;
    Color background_ = kColorNone;
    int originalBkMode_;
    COLORREF originalTextColor_;
    COLORREF originalBkColor_;
    std::optional<GdiTextCache> ownCache_;
    GdiTextCache& cache_;
    // The font the context had, put back when the canvas goes (before the cache's fonts
    // may be deleted).
    std::optional<SelectedObject> fontScope_;
};

} // namespace remvana
