// Tags that change the font, colours and flags: anchors, FONT, HI, LI, IN, R and BODY.
#include <algorithm>

#include "platform/display_scale.h"
#include "widgets/paramlabel/markup_colors.h"
#include "widgets/paramlabel/markup_engine.h"
#include "widgets/paramlabel/markup_tags.h"

namespace remvana::markup {
namespace {

constexpr int kListIndent = 12;

// FONT size 1..5 as points; any other number is points itself.
int fontPoints(int size) {
    switch (size) {
    case 1:
        return 8;
    case 2:
        return 10;
    case 3:
        return 12;
    case 4:
        return 14;
    case 5:
        return 16;
    default:
        return size;
    }
}

} // namespace

void Engine::openAnchor(Pass pass, const std::string& body, LineState& line) {
    Font& font = *font_;
    font.underline = true;
    ++anchorCounter_;
    flow_.inAnchor = true;
    flow_.anchorName = firstQuotedValue(body);
    flow_.anchorNumber = anchorCounter_;
    flow_.anchorStartX = line.x;
    flow_.anchorStartDrawX = line.drawX;
    flow_.anchorFromEarlierLine = false;
    flow_.anchorHovered = anchorCounter_ == request_.hoveredAnchor;

    font.color = request_.paramColor;
    if (flow_.anchorHovered) {
        flow_.anchorSavedBackground = flow_.background;
        if (request_.hoverColor != kColorNone) flow_.background = request_.hoverColor;
        if (request_.hoverFontColor != kColorNone) font.color = request_.hoverFontColor;
    }
    if (pass != Pass::Measure && anchorCounter_ - 1 == request_.focusedAnchor)
        result_.focusedAnchorName = flow_.anchorName;
}

void Engine::closeAnchor(Pass pass, LineState& line) {
    Font& font = *font_;
    font.underline = false;
    font.color = baseFont_.color;
    if (!flow_.inAnchor) return;
    flow_.inAnchor = false;
    if (flow_.anchorHovered) flow_.background = flow_.anchorSavedBackground;

    int left = flow_.anchorFromEarlierLine ? line.left : line.left + flow_.anchorStartX;
    Rect rect{left, line.top, line.left + line.x, line.bottom() - line.subDepth};
    if (pass == Pass::HitTest && flow_.anchorNumber == request_.locateAnchor) {
        result_.anchorRect = rect;
        result_.anchorNumber = flow_.anchorNumber;
        result_.anchorName = flow_.anchorName;
    } else if (pass == Pass::HitTest) {
        if (line.anchorTextHit && !line.hitRectReady && line.hitNumber == flow_.anchorNumber) {
            line.hitRect = rect;
            line.hitRectReady = true;
        } else if (hitAwaitsClose_) {
            result_.anchorRect = rect;
            result_.anchorNumber = flow_.anchorNumber;
            hitAwaitsClose_ = false;
        }
    }
    if (pass == Pass::Draw && flow_.anchorNumber - 1 == request_.focusedAnchor) {
        int bottom = line.textBottom() - line.baselineShift;
        if (flow_.anchorFromEarlierLine)
            drawFocusFrame(line.left + 1, line.top, line.drawX + 1, bottom);
        else
            drawFocusFrame(flow_.anchorStartDrawX - 1, bottom - textHeight(), line.drawX + 1,
                           bottom);
    }
}

void Engine::drawFocusFrame(int left, int top, int right, int bottom) {
    // The system's own focus rectangle, so the focused value looks as focus does everywhere
    // else, and shows in high contrast too.
    canvas_.focusRect(Rect{left, top, right, bottom});
}

void Engine::openFont(Pass pass, const std::string& body) {
    Font& font = *font_;
    // Attributes are read after the tag's name.
    const std::size_t from = std::min<std::size_t>(body.size(), 4);
    if (std::string face = attributeValue(body, "FACE", from); !face.empty()) font.face = face;
    // In the system's colours the markup's own are left out, so nothing is drawn in a colour
    // the user did not pick.
    if (hasAttribute(body, "COLOR", from) && !request_.systemColors) {
        Color color = parseTagColor(attributeValue(body, "COLOR", from));
        if (color != kColorNone) font.color = color;
    }
    if (pass != Pass::Measure && hasAttribute(body, "BGCOLOR", from) && !request_.systemColors) {
        flow_.fontSavedBackground = flow_.background;
        flow_.background = parseTagColor(attributeValue(body, "BGCOLOR", from));
    }
    // Sizes beyond any screen are capped rather than handed to the font mapper.
    constexpr int kMaxPoints = 500;
    if (auto size = parseInteger(attributeValue(body, "SIZE", from)); size && *size > 0) {
        int points = std::min(fontPoints(*size), kMaxPoints);
        int dpi = canvas_.logPixelsY();
        font.height = -static_cast<int>((static_cast<long long>(points) * dpi + 36) / 72);
    }
}

void Engine::closeFont(Pass pass) {
    Font& font = *font_;
    font.face = baseFont_.face;
    font.height = baseFont_.height;
    if (pass == Pass::Draw) {
        font.color = baseFont_.color;
        flow_.background = flow_.fontSavedBackground;
    }
}

void Engine::setHighlight(Pass pass, bool on) {
    if (pass != Pass::Draw || on == flow_.highlight) return;
    Font& font = *font_;
    flow_.highlight = on;
    if (on) {
        flow_.highlightSavedText = font.color;
        flow_.highlightSavedBackground = flow_.background;
        flow_.background = systemColor(kColorHighlight);
        font.color = systemColor(kColorHighlightText);
    } else {
        font.color = flow_.highlightSavedText;
        flow_.background = flow_.highlightSavedBackground;
    }
}

void Engine::listItem(Pass pass, LineState& line) {
    if (line.listItems > 0) {
        line.noRoom = true; // one item per line: this one starts the next
        return;
    }
    ++line.listItems;
    line.x += kListIndent * flow_.listLevel;
    if (pass == Pass::Draw) {
        line.drawX += scaled(kListIndent, canvas_.logPixelsX()) * (flow_.listLevel - 1);
        drawBullet(line.drawX, line);
        line.drawX += kListIndent;
    } else {
        line.drawX += kListIndent * flow_.listLevel;
    }
}

void Engine::indentTo(const std::string& body, LineState& line) {
    auto x = parseInteger(attributeValue(body, "X"));
    if (x && *x > line.x && *x < 1 << 20) {
        line.x = *x;
        line.drawX = textLeft_ + *x;
    }
}

void Engine::rotate(const std::string& body) {
    std::string upper = asciiUpperCased(body);
    std::size_t a = upper.find('A', 1);
    if (a == std::string::npos) return;
    std::size_t open = body.find('"', a);
    std::size_t close = open == std::string::npos ? open : body.find('"', open + 1);
    if (close == std::string::npos) return;
    auto degrees = parseInteger(body.substr(open + 1, close - open - 1));
    if (degrees && *degrees > -100000 && *degrees < 100000) font_->escapement = *degrees * 10;
}

void Engine::body(Pass pass, const std::string& body) {
    if (pass != Pass::Draw) return;
    std::string upper = asciiUpperCased(body);
    if (hasAttribute(upper, "BACKGROUND") && request_.pictures) {
        MarkupPicture* picture = request_.pictures->picture(attributeValue(upper, "BACKGROUND"));
        // Tiles are capped so that a one-pixel picture cannot stall the paint.
        constexpr int kMaxTiles = 4096;
        if (picture && !picture->empty() && picture->width() > 0 && picture->height() > 0) {
            int tiles = 0;
            for (int y = layout_.top; y < layout_.bottom && tiles < kMaxTiles;
                 y += picture->height())
                for (int x = layout_.left; x < layout_.right && tiles < kMaxTiles;
                     x += picture->width(), ++tiles)
                    picture->draw(canvas_, Rect{x, y, x + picture->width(), y + picture->height()});
        }
    }
    if (hasAttribute(upper, "BGCOLOR") && !request_.systemColors) {
        Color color = parseBodyColor(attributeValue(upper, "BGCOLOR"));
        if (color != kColorNone) {
            fill(layout_, color);
            flow_.background = color;
        }
    }
}

} // namespace remvana::markup
