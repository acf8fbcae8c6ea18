#pragma once
// The Canvas over a GDI device context: fonts made on demand and kept for the canvas's
// life, colours resolved against the system's current colours.
#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"

namespace remvana {

inline RECT toRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}
inline Rect toRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}
// A GDI font of the face, height, weight, style and escapement asked for; nullptr when GDI
// cannot make it.
HFONT createFontOf(const Font& font);
// DrawText for the program's text: it is in the process code page (UTF-8), which DrawTextA
// would read in the selected font's character set instead, so it goes through DrawTextW.
int drawProgramText(HDC dc, const std::string& text, RECT& rect, UINT format);
// Fills `rect` with a solid colour without making a brush for it.
void fillSolid(HDC dc, const RECT& rect, COLORREF color);

// Paints into a memory bitmap first and copies it in one go, so a control does not flicker.
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

class GdiCanvas : public Canvas {
  public:
    explicit GdiCanvas(HDC dc);
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
    COLORREF colorRef(Color color);

    HDC dc_;
    int dpi_ = 0; // 0: the device's
    Font font_;
    Color background_ = kColorNone;
    HGDIOBJ originalFont_ = nullptr;
    int originalBkMode_;
    COLORREF originalTextColor_;
    COLORREF originalBkColor_;
    using FontKey = std::tuple<std::string, int, bool, bool, bool, bool, int>;
    std::map<FontKey, HFONT> fonts_;
    // Per font, the advance of each UTF-16 unit once asked for: a table for the common
    // Latin units, a map for the rest.
    struct Advances {
        Advances() { latin.fill(-1); }
        std::array<int, 256> latin;
        std::unordered_map<wchar_t, int> other;
        std::unordered_map<char32_t, bool> boxedPairs; // see showsAsTwoBoxes
    };
    std::map<HFONT, Advances> advances_;
};

} // namespace remvana
