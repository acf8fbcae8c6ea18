// Measuring and drawing through the canvas: text runs with their shadow and error mark,
// list bullets, embedded controls.
#include <algorithm>

#include "widgets/paramlabel/markup_engine.h"
#include "widgets/paramlabel/markup_tags.h"

namespace remvana::markup {
namespace {

namespace tf = text_format;
constexpr unsigned kRunFormat = tf::SingleLine | tf::Bottom | tf::ExpandTabs | tf::ExternalLeading;
constexpr Color kErrorMarkColor = rgb(0xFF, 0, 0);
constexpr Color kControlFrameColor = rgb(0x80, 0x80, 0x80);
constexpr int kComboButtonWidth = 16;

} // namespace

// Measured the way the run is drawn (a single "&" marks a mnemonic and takes no room), so
// the hit test and the drawing agree on where every run lies.
Size Engine::measureText(const std::string& text) {
    canvas_.setFont(*font_);
    Rect box{0, 0, 0, 0};
    int height = canvas_.drawText(text, box, kRunFormat | tf::CalcRect);
    return {std::max(0, box.width()), std::max(height, box.height())};
}

int Engine::textHeight() {
    canvas_.setFont(*font_);
    return canvas_.textExtent("gh").cy;
}

void Engine::fill(const Rect& area, Color color) {
    if (color != kColorNone && area.width() > 0 && area.height() > 0) canvas_.fillRect(area, color);
}

void Engine::drawChunk(const std::string& text, int width, const LineState& line) {
    Rect box{line.drawX, line.top, layout_.right, line.textBottom() - line.baselineShift};
    if (flow_.superscript) box.bottom -= line.supHeight;
    if (flow_.subscript) box.bottom += line.subDepth;
    canvas_.setBackground(flow_.background);
    if (flow_.shadow) {
        Font shadow = *font_;
        shadow.color = request_.shadowColor;
        canvas_.setFont(shadow);
        Rect offset{box.left + request_.shadowOffset, box.top + request_.shadowOffset,
                    box.right + request_.shadowOffset, box.bottom + request_.shadowOffset};
        canvas_.drawText(text, offset, kRunFormat);
    }
    canvas_.setFont(*font_);
    canvas_.drawText(text, box, kRunFormat);
    if (flow_.errorMark) drawErrorMark(box.left, box.left + width, box.bottom);
}

// A zigzag one pixel above and below the run's bottom, in steps of two pixels.
void Engine::drawErrorMark(int left, int right, int bottom) {
    int x = left - (((left % 2) + 2) % 2);
    bool up = true;
    while (x + 2 <= right) {
        canvas_.line({x, up ? bottom - 1 : bottom + 1}, {x + 2, up ? bottom + 1 : bottom - 1},
                     kErrorMarkColor);
        x += 2;
        up = !up;
    }
}

void Engine::drawBullet(int x, const LineState& line) {
    Font symbol = *font_;
    symbol.face = "Symbol";
    canvas_.setFont(symbol);
    canvas_.setBackground(flow_.background);
    Rect box{x, line.top, x + 12, line.textBottom() - line.baselineShift};
    // U+00B7: code 0xB7 of the symbol-encoded Symbol font, its bullet.
    canvas_.drawText(flow_.listLevel % 2 == 1 ? "\xC2\xB7" : "o", box,
                     kRunFormat | tf::NoPrefix | tf::NoClip);
    canvas_.setFont(*font_);
}

void Engine::drawControl(const std::string& type, const std::string& value, const Rect& box,
                         bool pushed) {
    canvas_.setFont(*font_);
    canvas_.setBackground(kColorNone);
    const unsigned captionFormat = tf::SingleLine | tf::VCenter | tf::NoPrefix;
    if (type == "EDIT" || type == "COMBO") {
        canvas_.frameRect(box, kControlFrameColor);
        Rect inner{box.left + 3, box.top + 1, box.right - 2, box.bottom - 1};
        if (type == "COMBO") {
            Rect button{std::max(box.left, box.right - kComboButtonWidth - 1), box.top + 1,
                        box.right - 1, box.bottom - 1};
            canvas_.drawFrameControl(button, FrameControl::ComboButton, false, pushed);
            inner.right = button.left;
        }
        canvas_.drawText(value, inner, captionFormat);
    } else if (type == "CHECK" || type == "RADIO") {
        bool checked = asciiUpperCased(value) == "TRUE";
        canvas_.drawFrameControl(
            box, type == "CHECK" ? FrameControl::CheckBox : FrameControl::RadioButton, checked,
            pushed);
    } else if (type == "BUTTON" || type == "TOOLBTN") {
        canvas_.drawFrameControl(box, FrameControl::PushButton, false, pushed);
        if (type == "BUTTON") {
            Rect caption = box;
            canvas_.drawText(value, caption, captionFormat | tf::Center);
        } else if (request_.images) {
            auto index = parseInteger(value);
            if (index && *index >= 0 && *index < request_.images->count()) {
                Size size = request_.images->imageSize();
                request_.images->draw(canvas_, *index, box.left + (box.width() - size.cx) / 2,
                                      box.top + (box.height() - size.cy) / 2);
            }
        }
    }
}

} // namespace remvana::markup
