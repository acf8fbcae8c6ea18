// One pass over a line's markup: text runs are cut at spaces and tags, measured, fitted
// and drawn; tags are read and applied.
#include <algorithm>

#include "widgets/paramlabel/markup_engine.h"
#include "widgets/paramlabel/markup_tags.h"
#include "widgets/paramlabel/markup_text.h"

namespace remvana::markup {

std::size_t Engine::runPass(Pass pass, std::size_t from, std::size_t to, LineState& line) {
    std::size_t pos = from;
    while (pos < to && !line.ended) {
        if (text_[pos] == '<') {
            if (to - pos < 3)
                return to; // a "<" with fewer than two characters after it ends the markup
            std::size_t close = text_.find('>', pos);
            if (close == std::string::npos || close >= to)
                return to; // never closed: the rest is swallowed
            takeTag(pass, text_.substr(pos + 1, close - pos - 1), line);
            if (line.noRoom) break; // the tag stays for the next line
            pos = close + 1;
            continue;
        }
        std::size_t stop = text_.find_first_of(request_.wordWrap ? "< " : "<", pos);
        std::size_t chunkEnd = stop == std::string::npos || stop >= to ? to
                               : text_[stop] == ' '                    ? stop + 1
                                                                       : stop;
        if (!takeChunk(pass, text_.substr(pos, chunkEnd - pos), line))
            break; // does not fit: the line ends before it
        pos = line.endOfMarkup ? to : chunkEnd;
    }
    endOfLine(pass, line);
    return pos;
}

bool Engine::takeChunk(Pass pass, const std::string& raw, LineState& line) {
    std::string chunk = decodeTextRun(raw);
    if (chunk.empty()) return true;
    Size size = measureText(chunk);
    int h = size.cy;
    if (flow_.subscript) line.subDepth = std::max(line.subDepth, h / 4);
    if (flow_.superscript) line.supHeight = std::max(line.supHeight, h / 4);
    line.height = std::max(line.height, h);
    int w = flow_.hidden ? 0 : size.cx;

    if (pass == Pass::Measure) {
        bool fits = !request_.wordWrap || line.x + w < available_ || w >= available_;
        if (!fits) {
            line.ended = true;
            return false;
        }
        if (!request_.wordWrap && line.x + w >= available_) line.endOfMarkup = true;
    } else if (pass == Pass::HitTest) {
        int px = request_.mouse.x - line.left;
        if (flow_.inAnchor && px >= line.x && px < line.x + w && request_.mouse.y > line.top &&
            !line.anchorTextHit) {
            line.anchorTextHit = true;
            line.hitName = flow_.anchorName;
            line.hitNumber = flow_.anchorNumber;
        }
    } else if (!flow_.hidden) {
        drawChunk(chunk, w, line);
    }
    line.x += w;
    line.drawX += w;
    line.trailingSpace = chunk.back() == ' ' && w > 0 ? measureText(" ").cx : 0;
    return true;
}

void Engine::takeTag(Pass pass, const std::string& body, LineState& line) {
    TagInfo tag = classifyTag(body);
    Font& font = *font_;
    if (tag.closing) {
        switch (tag.kind) {
        case TagKind::Anchor:
            closeAnchor(pass, line);
            break;
        case TagKind::Bold:
            font.bold = false;
            break;
        case TagKind::Blink:
            font.color = baseFont_.color;
            break;
        case TagKind::Error:
            flow_.errorMark = false;
            break;
        case TagKind::FontTag:
            closeFont(pass);
            break;
        case TagKind::Highlight:
            setHighlight(pass, false);
            break;
        case TagKind::Italic:
            font.italic = false;
            break;
        case TagKind::Paragraph:
            closeParagraph(pass, line);
            break;
        case TagKind::Rotate:
            font.escapement = 0;
            break;
        case TagKind::Strike:
            font.strikeOut = false;
            break;
        case TagKind::Shadow:
            flow_.shadow = false;
            break;
        case TagKind::Subscript:
            flow_.subscript = false;
            flow_.superscript = false;
            break;
        case TagKind::Underline:
            font.underline = false;
            break;
        case TagKind::List:
            if (flow_.listLevel > 0)
                --flow_.listLevel;
            else
                font.underline = false;
            break;
        case TagKind::Hidden:
            flow_.hidden = false;
            break;
        default:
            break;
        }
        return;
    }
    switch (tag.kind) {
    case TagKind::Anchor:
        openAnchor(pass, body, line);
        break;
    case TagKind::Bold:
        font.bold = true;
        break;
    case TagKind::Break:
        line.ended = true;
        break;
    case TagKind::Blink:
        font.color = request_.labelColor;
        break;
    case TagKind::Body:
        this->body(pass, body);
        break;
    case TagKind::Control:
        control(pass, body, line);
        break;
    case TagKind::Error:
        flow_.errorMark = true;
        break;
    case TagKind::FontTag:
        openFont(pass, body);
        break;
    case TagKind::Highlight:
        setHighlight(pass, true);
        break;
    case TagKind::Rule:
        line.ended = true;
        if (pass == Pass::Draw) {
            int y = line.bottom() + 1;
            canvas_.line({line.left, y}, {layout_.right, y}, rgb(0, 0, 0));
        }
        break;
    case TagKind::Italic:
        font.italic = true;
        break;
    case TagKind::Indent:
        indentTo(body, line);
        break;
    case TagKind::Image:
        image(pass, body, line);
        break;
    case TagKind::ListItem:
        listItem(pass, line);
        break;
    case TagKind::Paragraph:
        paragraph(pass, body, line);
        break;
    case TagKind::Rotate:
        rotate(body);
        break;
    case TagKind::Strike:
        font.strikeOut = true;
        break;
    case TagKind::Shadow:
        flow_.shadow = true;
        break;
    case TagKind::Subscript:
        flow_.subscript = true;
        break;
    case TagKind::Superscript:
        flow_.superscript = true;
        break;
    case TagKind::Underline:
        font.underline = true;
        break;
    case TagKind::List:
        // Nesting deeper than any screen is wide only stops indenting further.
        flow_.listLevel = std::min(flow_.listLevel + 1, 1000);
        break;
    case TagKind::Hidden:
        flow_.hidden = true;
        break;
    default:
        break;
    }
}

void Engine::endOfLine(Pass pass, LineState& line) {
    if (!flow_.inAnchor) return;
    if (pass == Pass::Draw && flow_.anchorNumber - 1 == request_.focusedAnchor &&
        request_.focusedAnchor >= 0) {
        // The part of a focused anchor that wraps gets its own frame around what this line
        // shows of it.
        int bottom = line.textBottom() - line.baselineShift;
        int left = flow_.anchorFromEarlierLine ? line.left + 1 : flow_.anchorStartDrawX - 1;
        drawFocusFrame(left, bottom - textHeight(), line.drawX + 1, bottom);
    }
    if (pass != Pass::Measure) flow_.anchorFromEarlierLine = true;
}

} // namespace remvana::markup
