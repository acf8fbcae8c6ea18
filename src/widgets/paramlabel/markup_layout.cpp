// The line loop: each output line is measured first (which decides where it ends), then
// drawn or hit-tested over the same stretch of markup.
#include <algorithm>

#include "platform/display_scale.h"
#include "widgets/paramlabel/markup_engine.h"
#include "widgets/paramlabel/markup_text.h"

namespace remvana {

MarkupResult renderMarkup(Canvas& canvas, const MarkupRequest& request) {
    markup::Engine engine(canvas, request);
    return engine.run();
}

namespace markup {

Engine::Engine(Canvas& canvas, const MarkupRequest& request)
    : canvas_(canvas), request_(request), text_(preprocessMarkup(request.markup)),
      layout_(request.rect), textLeft_(request.rect.left + scaled(1, canvas.logPixelsX())),
      available_(request.rect.right - textLeft_), baseFont_(canvas.font()),
      entryBackground_(canvas.background()) {
    passFonts_[0] = baseFont_;
    passFonts_[1] = baseFont_;
    flow_.background = entryBackground_;
}

MarkupResult Engine::run() {
    const bool drawing = request_.mode == MarkupMode::Draw;
    if (drawing) canvas_.setClip(layout_);
    const Pass secondPass = drawing ? Pass::Draw : Pass::HitTest;

    int top = layout_.top;
    std::size_t pos = 0;
    while (pos < text_.size()) {
        LineState line;
        line.top = top;
        font_ = &passFonts_[0];
        line.height = textHeight();

        const FlowState flowAtStart = flow_;
        const int counterAtStart = anchorCounter_;
        std::size_t end = measureLine(pos, line);
        line.height += request_.lineSpacing;
        int width = std::max(0, line.x - line.trailingSpace);
        result_.maxLineWidth = std::max(result_.maxLineWidth, width);
        line.left = lineLeft(width);

        if (request_.mode != MarkupMode::Measure) {
            // The measuring pass has settled alignment and indent; the second pass reads the
            // same markup again from the state the line started with.
            flow_ = flowAtStart;
            anchorCounter_ = counterAtStart;
            replayLine(pos, end, line, secondPass);
            if (secondPass == Pass::HitTest) finishLineHitTest(line);
        }
        if (end <= pos || line.endOfMarkup)
            break; // nothing consumed (cannot happen with well-formed passes) or text cut off
        pos = end;

        int advance = line.height + line.subDepth + line.supHeight;
        top += advance;
        result_.contentHeight += advance;
        if (top > layout_.bottom)
            break; // lines below the visible area are neither drawn nor hit-tested
    }
    if (result_.contentHeight == 0) {
        font_ = &passFonts_[0];
        result_.contentHeight = textHeight();
    }
    result_.anchorCount = anchorCounter_;

    canvas_.setBackground(entryBackground_);
    canvas_.setFont(baseFont_);
    if (drawing) canvas_.resetClip();
    return result_;
}

std::size_t Engine::measureLine(std::size_t from, LineState& line) {
    font_ = &passFonts_[0];
    return runPass(Pass::Measure, from, text_.size(), line);
}

void Engine::replayLine(std::size_t from, std::size_t to, LineState& line, Pass pass) {
    font_ = &passFonts_[1];
    line.x = 0;
    line.drawX = line.left;
    line.baselineShift = 0;
    line.listItems = 0;
    line.trailingSpace = 0;
    line.ended = false;
    line.noRoom = false;
    if (pass == Pass::Draw && flow_.band) {
        canvas_.setBackground(flow_.background);
        fill(Rect{layout_.left, line.top, layout_.right, line.top + line.height}, flow_.background);
    }
    runPass(pass, from, to, line);
}

int Engine::lineLeft(int width) const {
    int left = textLeft_;
    if (flow_.alignment == Alignment::Right) {
        left = std::max(left, layout_.right - width);
    } else if (flow_.alignment == Alignment::Center) {
        int spare = available_ - width;
        if (spare > 0) left += spare / 2;
    }
    return left + flow_.indent;
}

void Engine::finishLineHitTest(const LineState& line) {
    if (!line.anchorTextHit) return;
    int bottom = line.bottom() - line.subDepth - line.baselineShift;
    font_ = &passFonts_[1];
    int top = bottom - textHeight();
    int y = request_.mouse.y;
    if (y <= top || y >= bottom) return;
    result_.hit = true;
    result_.anchorName = line.hitName;
    if (line.hitRectReady) {
        result_.anchorRect = line.hitRect;
        result_.anchorNumber = line.hitNumber;
    } else {
        hitAwaitsClose_ = true; // reported when the anchor closes on a later line
    }
}

} // namespace markup
} // namespace remvana
