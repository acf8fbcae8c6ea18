#pragma once
// A canvas with fixed metrics that records what is drawn: every glyph is `glyphWidth`
// pixels wide and text is |font height| + 2 pixels high (13 for the usual -11), so layout
// results are exact numbers a test can state.
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace remvana {

struct CanvasCall {
    enum class Kind { Text, TextOut, Fill, Frame, FocusRect, Line, Pixel, FrameControl, Icon };
    Kind kind = Kind::Text;
    std::string text; // as shown: mnemonic prefixes removed
    Rect rect;
    Font font;
    Color color = 0;      // fill, frame, line and pixel colour
    Color background = 0; // the text background at the time of drawing
    unsigned format = 0;
    Point from;
    Point to;
    FrameControl control = FrameControl::CheckBox;
    bool checked = false;
    bool pushed = false;
    IconHandle icon = 0;
};

class RecordingCanvas : public Canvas {
  public:
    void setFont(const Font& font) override { font_ = font; }
    const Font& font() const override { return font_; }
    void setBackground(Color color) override { background_ = color; }
    Color background() const override { return background_; }

    Size textExtent(const std::string& text) override;
    int drawText(const std::string& text, Rect& rect, unsigned format) override;
    void textOut(int x, int y, const std::string& text) override;
    void fillRect(const Rect& rect, Color color) override;
    void frameRect(const Rect& rect, Color color) override;
    void focusRect(const Rect& rect) override;
    void line(Point from, Point to, Color color) override;
    void setPixel(Point at, Color color) override;
    void drawFrameControl(const Rect& rect, FrameControl kind, bool checked, bool pushed) override;
    void drawIcon(IconHandle icon, int x, int y, int size) override;
    void setClip(const Rect& rect) override {
        clip = rect;
        clipped = true;
    }
    void resetClip() override { clipped = false; }
    // System colours resolve to 0x00AB00nn, nn the index, so a test can tell them apart.
    Color resolve(Color color) override;
    int logPixelsX() override { return dpi; }
    int logPixelsY() override { return dpi; }

    int textHeight(const Font& f) const;
    // What DrawText shows of a text with prefix handling: "&&" is "&", a lone "&" vanishes.
    static std::string shownText(const std::string& text);

    // Calls of one kind, in order.
    std::vector<CanvasCall> callsOf(CanvasCall::Kind kind) const;
    // The texts drawn, in order.
    std::vector<std::string> texts() const;
    // The first text call showing exactly this text; fails the test when there is none.
    const CanvasCall& textCall(const std::string& shown) const;
    void clear() { calls.clear(); }

    int glyphWidth = 6;
    int dpi = 96;
    std::vector<CanvasCall> calls;
    Rect clip;
    bool clipped = false;

  private:
    Font font_;
    Color background_ = kColorNone;
};

} // namespace remvana
