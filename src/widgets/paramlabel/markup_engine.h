#pragma once
// Inside the markup engine: the state of one render call and the steps of its line loop.
// Only the engine's own sources include this; everyone else uses markup_render.h.
#include <string>

#include "widgets/paramlabel/markup_render.h"

namespace remvana::markup {

enum class Pass { Measure, Draw, HitTest };
enum class Alignment { Left, Right, Center };

// Formatting that runs on from line to line (everything but the font, which each pass
// carries on its own). Both passes of a line start from the state the line began with.
struct FlowState {
    Color background = kColorNone;
    Alignment alignment = Alignment::Left;
    int indent = 0;
    int listLevel = 0;
    bool shadow = false;
    bool errorMark = false;
    bool hidden = false;
    bool subscript = false;
    bool superscript = false;
    bool band = false;
    Color paragraphSavedBackground = kColorNone;
    Color fontSavedBackground = kColorNone;
    bool highlight = false;
    Color highlightSavedText = 0;
    Color highlightSavedBackground = kColorNone;

    // The anchor currently open, if any.
    bool inAnchor = false;
    std::string anchorName;
    int anchorNumber = 0;
    bool anchorHovered = false;
    Color anchorSavedBackground = kColorNone;
    int anchorStartX = 0;     // x offset within its line
    int anchorStartDrawX = 0; // drawing position
    bool anchorFromEarlierLine = false;
};

// One output line while a pass runs over it.
struct LineState {
    int top = 0;
    int left = 0;  // left edge after alignment and indent
    int x = 0;     // x offset within the line
    int drawX = 0; // where the next piece is drawn
    int height = 0;
    int subDepth = 0;
    int supHeight = 0;
    int baselineShift = 0;
    bool ended = false;
    bool noRoom = false;
    bool endOfMarkup = false; // word wrap off: an overflowing chunk ends everything
    int listItems = 0;
    int trailingSpace = 0;

    // Hit test: an anchor's text under the point on this line, decided at the line's end.
    bool anchorTextHit = false;
    std::string hitName;
    bool hitRectReady = false;
    Rect hitRect;
    int hitNumber = -1;

    int bottom() const { return top + height + subDepth + supHeight; }
    // Bottom of ordinary text, before the baseline shift.
    int textBottom() const { return top + height + supHeight; }
};

class Engine {
  public:
    Engine(Canvas& canvas, const MarkupRequest& request);
    MarkupResult run();

  private:
    // Line loop (markup_layout.cpp).
    std::size_t measureLine(std::size_t from, LineState& line);
    void replayLine(std::size_t from, std::size_t to, LineState& line, Pass pass);
    int lineLeft(int width) const;
    void finishLineHitTest(const LineState& line);

    // One pass over a stretch of markup (markup_pass.cpp).
    std::size_t runPass(Pass pass, std::size_t from, std::size_t to, LineState& line);
    bool takeChunk(Pass pass, const std::string& raw, LineState& line);
    void takeTag(Pass pass, const std::string& body, LineState& line);
    void endOfLine(Pass pass, LineState& line);

    // Tags that change fonts, colours and flags (markup_tag_effects.cpp).
    void openAnchor(Pass pass, const std::string& body, LineState& line);
    void closeAnchor(Pass pass, LineState& line);
    void openFont(Pass pass, const std::string& body);
    void closeFont(Pass pass);
    void setHighlight(Pass pass, bool on);
    void listItem(Pass pass, LineState& line);
    void indentTo(const std::string& body, LineState& line);
    void rotate(const std::string& body);
    void body(Pass pass, const std::string& body);

    // Paragraph bands, images and embedded controls (markup_objects.cpp).
    void paragraph(Pass pass, const std::string& body, LineState& line);
    void closeParagraph(Pass pass, LineState& line);
    void gradient(const Rect& area, Color from, Color to);
    void image(Pass pass, const std::string& body, LineState& line);
    void control(Pass pass, const std::string& body, LineState& line);
    bool placeObject(Pass pass, Size room, LineState& line);

    // Drawing (markup_draw.cpp).
    Size measureText(const std::string& text);
    int textHeight();
    void drawChunk(const std::string& text, int width, const LineState& line);
    void drawErrorMark(int left, int right, int bottom);
    void drawBullet(int x, const LineState& line);
    void drawFocusFrame(int left, int top, int right, int bottom);
    void drawControl(const std::string& type, const std::string& value, const Rect& box,
                     bool pushed);
    void fill(const Rect& area, Color color);

    Canvas& canvas_;
    const MarkupRequest& request_;
    std::string text_;
    Rect layout_;   // the layout rectangle
    int textLeft_;  // text starts 1 pixel in (at 96 DPI)
    int available_; // width a line may fill

    Font baseFont_;
    Color entryBackground_;
    Font passFonts_[2];
    Font* font_ = &passFonts_[0];
    FlowState flow_;
    int anchorCounter_ = 0;
    bool hitAwaitsClose_ = false; // an anchor hit on an earlier line has not closed yet
    MarkupResult result_;
};

} // namespace remvana::markup
