#include "fakes/recording_canvas.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/utf8.h"

namespace remvana {

namespace {

CanvasCall callOf(CanvasCall::Kind kind, const Rect& rect = {}, Color color = 0) {
    CanvasCall call;
    call.kind = kind;
    call.rect = rect;
    call.color = color;
    return call;
}

} // namespace

int RecordingCanvas::textHeight(const Font& f) const {
    return std::abs(f.height) + 2;
}

std::string RecordingCanvas::shownText(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            shown += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

Size RecordingCanvas::textExtent(const std::string& text) {
    return {static_cast<int>(utf8Length(text)) * glyphWidth, textHeight(font_)};
}

int RecordingCanvas::drawText(const std::string& text, Rect& rect, unsigned format) {
    std::string shown = (format & text_format::NoPrefix) ? text : shownText(text);
    int height = textHeight(font_);
    if (format & text_format::CalcRect) {
        rect.right = rect.left + static_cast<int>(utf8Length(shown)) * glyphWidth;
        rect.bottom = rect.top + height;
        return height;
    }
    CanvasCall call;
    call.kind = CanvasCall::Kind::Text;
    call.text = shown;
    call.rect = rect;
    call.font = font_;
    call.background = background_;
    call.format = format;
    calls.push_back(call);
    return height;
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::TextOut;
    call.text = text;
    call.from = {x, y};
    call.font = font_;
    call.background = background_;
    calls.push_back(call);
}

void RecordingCanvas::fillRect(const Rect& rect, Color color) {
    calls.push_back(callOf(CanvasCall::Kind::Fill, rect, color));
}

void RecordingCanvas::frameRect(const Rect& rect, Color color) {
    calls.push_back(callOf(CanvasCall::Kind::Frame, rect, color));
}

void RecordingCanvas::focusRect(const Rect& rect) {
    calls.push_back(callOf(CanvasCall::Kind::FocusRect, rect, 0));
}

void RecordingCanvas::line(Point from, Point to, Color color) {
    CanvasCall call = callOf(CanvasCall::Kind::Line, {}, color);
    call.from = from;
    call.to = to;
    calls.push_back(call);
}

void RecordingCanvas::setPixel(Point at, Color color) {
    CanvasCall call = callOf(CanvasCall::Kind::Pixel, {}, color);
    call.from = at;
    calls.push_back(call);
}

void RecordingCanvas::drawFrameControl(const Rect& rect, FrameControl kind, bool checked,
                                       bool pushed) {
    CanvasCall call = callOf(CanvasCall::Kind::FrameControl, rect);
    call.control = kind;
    call.checked = checked;
    call.pushed = pushed;
    calls.push_back(call);
}

void RecordingCanvas::drawIcon(IconHandle icon, int x, int y, int size) {
    CanvasCall call = callOf(CanvasCall::Kind::Icon, {x, y, x + size, y + size});
    call.icon = icon;
    call.from = {x, y};
    calls.push_back(call);
}

Color RecordingCanvas::resolve(Color color) {
    if (isSystemColor(color)) return 0x00AB0000 | (color & 0xFF);
    return color;
}

std::vector<CanvasCall> RecordingCanvas::callsOf(CanvasCall::Kind kind) const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : calls)
        if (call.kind == kind) out.push_back(call);
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const CanvasCall& call : calls)
        if (call.kind == CanvasCall::Kind::Text) out.push_back(call.text);
    return out;
}

const CanvasCall& RecordingCanvas::textCall(const std::string& shown) const {
    for (const CanvasCall& call : calls)
        if (call.kind == CanvasCall::Kind::Text && call.text == shown) return call;
    throw std::runtime_error("no text drawn as \"" + shown + "\"");
}

} // namespace remvana
