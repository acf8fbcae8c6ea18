// Paragraph bands, inline images and embedded controls: what each takes of a line and how
// it is drawn and hit-tested.
#include <algorithm>
#include <cmath>

#include "platform/display_scale.h"
#include "widgets/paramlabel/markup_colors.h"
#include "widgets/paramlabel/markup_engine.h"
#include "widgets/paramlabel/markup_tags.h"
#include "widgets/paramlabel/markup_text.h"

namespace remvana::markup {
namespace {

constexpr int kGradientStrips = 64;

int roundedDiv(long long num, long long den) {
    return static_cast<int>(std::llround(static_cast<double>(num) / static_cast<double>(den)));
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

void Engine::paragraph(Pass pass, const std::string& body, LineState& line) {
    std::string tag = asciiUpperCased(body);
    std::string align = attributeValue(tag, "ALIGN");
    if (align.find("RIGHT") != std::string::npos) flow_.alignment = Alignment::Right;
    if (align.find("LEFT") != std::string::npos) flow_.alignment = Alignment::Left;
    if (align.find("CENTER") != std::string::npos) flow_.alignment = Alignment::Center;
    if (hasAttribute(tag, "INDENT")) {
        auto indent = parseInteger(attributeValue(tag, "INDENT"));
        flow_.indent = indent && *indent > -65536 && *indent < 65536 ? *indent : 0;
    }
    if (pass != Pass::Draw || !hasAttribute(tag, "BGCOLOR") || request_.systemColors) return;

    Color band = parseTagColor(attributeValue(tag, "BGCOLOR"));
    std::string to = attributeValue(tag, "BGCOLORTO");
    flow_.paragraphSavedBackground = flow_.background;
    flow_.band = true;
    if (to.empty()) {
        flow_.background = band;
        fill(Rect{layout_.left, line.top, layout_.right, line.bottom()}, band);
    } else {
        // The band reaches 2 pixels (at 96 DPI) below its line.
        const int below = scaled(2, canvas_.logPixelsY());
        gradient(Rect{layout_.left, line.top, layout_.right, line.bottom() + below}, band,
                 parseTagColor(to));
        flow_.background = kColorNone;
    }
}

void Engine::closeParagraph(Pass pass, LineState& line) {
    line.ended = true;
    if (pass == Pass::Draw) {
        flow_.background = flow_.paragraphSavedBackground;
        flow_.band = false;
    }
}

void Engine::gradient(const Rect& area, Color from, Color to) {
    if (from == kColorNone || to == kColorNone || area.width() <= 0) return;
    from = canvas_.resolve(from);
    to = canvas_.resolve(to);
    const int w = area.width();
    const int stripWidth = w / kGradientStrips + 1;
    for (int i = 0; i < kGradientStrips; ++i) {
        auto channel = [i](int a, int b) { return a + roundedDiv(i * (b - a), kGradientStrips); };
        Color color = rgb(channel(redOf(from), redOf(to)), channel(greenOf(from), greenOf(to)),
                          channel(blueOf(from), blueOf(to)));
        int left = area.left + roundedDiv(static_cast<long long>(i) * w, kGradientStrips);
        int right = std::min(area.right, left + stripWidth);
        if (right > left) canvas_.fillRect(Rect{left, area.top, right, area.bottom}, color);
    }
}

// Room for an image or control: false when it must wait for the next line. A piece that
// is wider than the whole line stays (and overflows) rather than moving on forever.
bool Engine::placeObject(Pass pass, Size room, LineState& line) {
    if (pass == Pass::Measure && line.x > 0 && line.x + room.cx > available_ &&
        room.cx < available_) {
        line.noRoom = true;
        return false;
    }
    line.height = std::max(line.height, room.cy);
    return true;
}

void Engine::image(Pass pass, const std::string& body, LineState& line) {
    const std::string tag = asciiUpperCased(body);
    const std::string source = attributeValue(tag, "SRC");
    const int dpiX = canvas_.logPixelsX();
    const int dpiY = canvas_.logPixelsY();

    Size natural;
    int index = -1;
    bool shellIcon = false;
    MarkupPicture* picture = nullptr;
    Size stretch;
    // A picture that cannot be had draws nothing and takes no room; its alignment still
    // applies to the text after it.
    bool present = false;
    if (startsWith(source, "IDX:")) {
        index = parseInteger(source.substr(4)).value_or(0);
        present = request_.images && index >= 0 && index < request_.images->count();
        if (present) natural = request_.images->imageSize();
    } else if (startsWith(source, "SSYS:") || startsWith(source, "LSYS:")) {
        present = shellIcon = request_.shellIcons != nullptr;
        int side = source[0] == 'L' ? 32 : 16;
        natural = {side, side};
    } else if (source.find("://") != std::string::npos) {
        picture = request_.pictures ? request_.pictures->picture(source) : nullptr;
        present = picture && !picture->empty();
        int w = parseInteger(attributeValue(tag, "WIDTH")).value_or(0);
        int h = parseInteger(attributeValue(tag, "HEIGHT")).value_or(0);
        if (w > 0 && h > 0 && w < 65536 && h < 65536) stretch = {w, h};
        if (present) natural = stretch.cx > 0 ? stretch : Size{picture->width(), picture->height()};
    }
    // Any other source names a picture container this label never has.
    Size room{scaled(std::clamp(natural.cx, 0, 65535), dpiX),
              scaled(std::clamp(natural.cy, 0, 65535), dpiY)};
    if (present && !placeObject(pass, room, line)) return;
    if (!present) room = {};

    if (pass == Pass::HitTest && flow_.inAnchor && present) {
        Rect area{line.left + line.x, line.top, line.left + line.x + room.cx, line.top + room.cy};
        if (area.contains(request_.mouse)) {
            result_.hit = true;
            result_.anchorName = flow_.anchorName;
            hitAwaitsClose_ = true;
        }
    }
    if (pass == Pass::Draw && present) {
        const int x = line.drawX, y = line.top;
        if (index >= 0) {
            request_.images->draw(canvas_, index, x, y);
        } else if (shellIcon) {
            const LentIcon icon(*request_.shellIcons, source.substr(5), source[0] == 'L');
            if (icon) canvas_.drawIcon(icon.get(), x, y, natural.cx);
        } else if (picture) {
            Rect area = stretch.cx > 0 ? Rect{x, y, x + stretch.cx, y + stretch.cy}
                                       : Rect{x + picture->offset().x, y + picture->offset().y,
                                              x + picture->offset().x + picture->width(),
                                              y + picture->offset().y + picture->height()};
            if (picture->frameCount() > 1) fill(area, request_.labelColor);
            picture->draw(canvas_, area);
        }
    }
    line.x += room.cx;
    line.drawX += room.cx;

    std::string align = attributeValue(tag, "ALIGN");
    if (align == "TOP")
        line.baselineShift = line.height - textHeight();
    else if (align == "MIDDLE")
        line.baselineShift = (line.height - textHeight()) / 2;
}

void Engine::control(Pass pass, const std::string& body, LineState& line) {
    const std::size_t from = std::min<std::size_t>(body.size(), 7);
    const std::string type = asciiUpperCased(attributeValue(body, "TYPE", from));
    const std::string id = attributeValue(body, "ID", from);
    const std::string value = decodeTextRun(attributeValue(body, "VALUE", from));
    int width = parseInteger(attributeValue(body, "WIDTH", from)).value_or(0);
    width = std::clamp(width, 0, 65535);

    Size room{width, textHeight() + 6};
    if (type == "CHECK" || type == "RADIO")
        room = {16, 16};
    else if (type == "COMBO")
        room.cy = 25;
    else if (type == "BUTTON" || type == "TOOLBTN")
        room.cy = 26;
    if (!placeObject(pass, room, line)) return;

    Rect box{line.drawX, line.top, line.drawX + room.cx, line.top + room.cy};
    bool underMouse = box.contains(request_.mouse);
    if (pass == Pass::HitTest && underMouse) {
        result_.hit = true;
        result_.controlHit = true;
        result_.control = MarkupControlHit{type, id, value, box};
    }
    if (pass == Pass::Draw) drawControl(type, value, box, underMouse && request_.mouseDown);
    line.x += room.cx;
    line.drawX += room.cx;
}

} // namespace remvana::markup
