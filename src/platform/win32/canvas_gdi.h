#pragma once
// The Canvas over a GDI device context: fonts made on demand and kept for the canvas's
// life, colours resolved against the system's current colours.
#include <windows.h>

#include <map>
#include <tuple>

#include "platform/canvas.h"

namespace remvana {

class GdiCanvas : public Canvas {
  public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }

    void setFont(const Font& font) override;
    const Font& font() const override { return font_; }
    void setBackground(Color color) override;
    Color background() const override { return background_; }

    Size textExtent(const std::string& text) override;
    int drawText(const std::string& text, Rect& rect, unsigned format) override;
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
    COLORREF colorRef(Color color);

    HDC dc_;
    Font font_;
    Color background_ = kColorNone;
    HGDIOBJ originalFont_ = nullptr;
    int originalBkMode_;
    COLORREF originalTextColor_;
    COLORREF originalBkColor_;
    using FontKey = std::tuple<std::string, int, bool, bool, bool, bool, int>;
    std::map<FontKey, HFONT> fonts_;
};

} // namespace remvana
