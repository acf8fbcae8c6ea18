#include "widgets/paramlabel/param_interaction.h"

#include <algorithm>

#include "widgets/paramlabel/param_lookup.h"

namespace remvana {

namespace {

Rect inflated(Rect r) {
    return {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
}

bool isEmpty(const Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

} // namespace

int textEditorWidth(int anchorWidth) {
    return std::max(16, anchorWidth) + 16;
}

int autoSizedEditorWidth(int currentWidth, int textWidth) {
    return std::max(currentWidth, textWidth + 16);
}

ParamInteraction::AnchorHit ParamInteraction::hitTest(Point client) {
    MarkupResult result = host_.hitTestAt(client);
    lastHit_ = result.anchorNumber;
    AnchorHit hit;
    hit.onAnchor = result.hit && !result.anchorName.empty();
    if (hit.onAnchor) {
        hit.href = result.anchorName;
        hit.rect = inflated(result.anchorRect);
        hit.number = result.anchorNumber;
    }
    hit.onControl = result.controlHit;
    if (hit.onControl) hit.control = result.control;
    return hit;
}

void ParamInteraction::trackControlUnderMouse(const AnchorHit& hit) {
    Rect now = hit.onControl ? hit.control.rect : Rect{};
    if (now == controlRect_) return;
    if (!isEmpty(controlRect_)) host_.repaint(controlRect_);
    if (!isEmpty(now)) host_.repaint(now);
    controlRect_ = now;
}

void ParamInteraction::mouseMove(Point client) {
    AnchorHit hit = hitTest(client);
    if (hit.href != hintAnchor_) {
        host_.cancelHint();
        // Forgotten once cancelled, so the control's own hint can show away from anchors.
        hintAnchor_.clear();
    }
    trackControlUnderMouse(hit);

    if (hit.onAnchor) {
        if (!editing_) hovered_ = hit.number;
        bool entered = hit.href != currentAnchor_;
        if (host_.hover() && (entered || hit.rect != currentRect_ || hit.number < 1))
            host_.repaint(hit.rect);
        if (entered) {
            // Straight from one anchor onto another: the first one is left as well, so
            // every enter has its exit.
            if (!currentAnchor_.empty())
                raiseEvent(events.OnParamExit, sender_, currentAnchor_,
                           GetParamValue(host_.markupText(), currentAnchor_));
            raiseEvent(events.OnParamEnter, sender_, hit.href,
                       GetParamValue(host_.markupText(), hit.href));
            if (options.ParamHint) host_.cancelHint();
            handCursor_ = true;
            if (host_.hover() && !currentAnchor_.empty()) host_.repaint(currentRect_);
        }
        currentAnchor_ = hit.href;
        currentRect_ = hit.rect;
    } else if (handCursor_) {
        raiseEvent(events.OnParamExit, sender_, currentAnchor_,
                   GetParamValue(host_.markupText(), currentAnchor_));
        handCursor_ = false;
        if (host_.hover()) host_.repaint(currentRect_);
        currentAnchor_.clear();
        hovered_ = -1;
    }
}

void ParamInteraction::mouseLeave() {
    if (host_.hover() && lastHit_ != -1) host_.repaint(currentRect_);
    hovered_ = -1;
    lastHit_ = -1;
    if (!currentAnchor_.empty())
        raiseEvent(events.OnParamExit, sender_, currentAnchor_,
                   GetParamValue(host_.markupText(), currentAnchor_));
    currentAnchor_.clear();
    // Back to the arrow, so coming back onto empty space raises no second exit.
    handCursor_ = false;
}

void ParamInteraction::mouseDown(Point client) {
    if (host_.tabStop()) host_.takeFocus();
    AnchorHit hit = hitTest(client);
    buttonDown_ = true;
    if (hit.onControl) {
        host_.repaint(hit.control.rect);
        pushedRect_ = hit.control.rect;
    }
    if (hit.onAnchor) StartParamEdit(hit.href, hit.rect);
}

void ParamInteraction::mouseUp(Point client) {
    buttonDown_ = false;
    AnchorHit hit = hitTest(client);
    if (hit.onControl) {
        const MarkupControlHit& control = hit.control;
        if (control.type == "CHECK") {
            std::string toggled = paramNamesEqual(control.value, "TRUE") ? "FALSE" : "TRUE";
            host_.setMarkupText(SetControlValue(host_.markupText(), control.id, toggled));
        }
        raiseEvent(events.OnControlClick, sender_, client.x, client.y, control.id, control.type,
                   control.value);
        if (pushedRect_) host_.repaint(*pushedRect_);
    }
    pushedRect_.reset();
}

bool ParamInteraction::keyDown(ParamKey key) {
    int count = host_.paintedAnchorCount();
    switch (key) {
    case ParamKey::Left:
    case ParamKey::Up:
        if (!host_.tabStop()) return false;
        if (count > 0) {
            focused_ = (focused_ <= 0 || focused_ > count - 1) ? count - 1 : focused_ - 1;
            host_.repaintAll();
        }
        return true;
    case ParamKey::Right:
    case ParamKey::Down:
        if (!host_.tabStop()) return false;
        if (count > 0) {
            focused_ = (focused_ >= count - 1) ? 0 : focused_ + 1;
            host_.repaintAll();
        }
        return true;
    case ParamKey::F2:
        if (focused_ < 0) return false;
        openFocusedAnchor();
        return true;
    case ParamKey::Return:
    case ParamKey::Space:
        if (focused_ < 0 || count <= 0) return false;
        openFocusedAnchor();
        return true;
    case ParamKey::Other:
        break;
    }
    return false;
}

void ParamInteraction::openFocusedAnchor() {
    std::string href = ParamAnchorHref(host_.markupText(), focused_);
    if (href.empty()) return;
    std::optional<Rect> rect = host_.anchorRectOf(focused_ + 1);
    if (rect) StartParamEdit(href, inflated(*rect));
}

std::string ParamInteraction::prepareValue(const std::string& href, const std::string& rawText) {
    std::string value = rawText;
    if (!options.EmptyParam.empty() && value == options.EmptyParam) value.clear();
    value = decodeParamEntities(value);
    raiseEvent(events.OnParamEditStart, sender_, href, value);
    return value;
}

void ParamInteraction::StartParamEdit(const std::string& href, Rect rect) {
    rect.top += host_.lineSpacing();
    rect.bottom += host_.lineSpacing();
    std::string markup = host_.markupText();
    std::optional<ParamAnchor> anchor = findParamAnchor(markup, href);
    std::string rawText = anchor ? anchor->text : std::string();
    std::string cls = anchor ? anchor->cls : std::string();
    hovered_ = -1;
    focused_ = ParamAnchorIndex(markup, href);

    Point screen = host_.clientToScreen({rect.left, rect.top});
    if (cls.empty()) {
        if (!events.OnParamClick) return;
        editing_ = true;
        std::string value = prepareValue(href, rawText);
        std::string before = value;
        events.OnParamClick(sender_, href, value);
        if (value != before) editDone(href, value);
        editing_ = false;
    } else if (paramNamesEqual(cls, "EDIT")) {
        editing_ = true;
        std::string value = prepareValue(href, rawText);
        host_.openTextEditor(href, {screen.x, screen.y - 2}, textEditorWidth(rect.width()), value);
    }
}

void ParamInteraction::editDone(const std::string& href, const std::string& text) {
    std::string value = text;
    if (value.empty() && !options.EmptyParam.empty()) value = options.EmptyParam;
    raiseEvent(events.OnParamEditDone, sender_, href, value);
    host_.setMarkupText(SetParamValue(host_.markupText(), href, value));
    editing_ = false;
}

void ParamInteraction::editCancelled() {
    // A cancelled edit ends editing too; left on, hover and hints would stay off until the
    // next commit.
    editing_ = false;
}

void ParamInteraction::advance() {
    if (!options.AdvanceOnReturn || focused_ < 0) return;
    std::string markup = host_.markupText();
    int next = focused_ + 1 > ParamAnchorCount(markup) - 1 ? 0 : focused_ + 1;
    std::string href = ParamAnchorHref(markup, next);
    std::optional<ParamAnchor> anchor = findParamAnchor(markup, href);
    if (href.empty() || !anchor || anchor->cls.empty()) return;
    std::optional<Rect> rect = host_.anchorRectOf(next + 1);
    if (rect) StartParamEdit(href, inflated(*rect));
}

ParamHintAnswer ParamInteraction::hintAt(Point client, Point mouseScreen) {
    ParamHintAnswer answer;
    if (!options.ParamHint || editing_) return answer;
    AnchorHit hit = hitTest(client);
    if (!hit.onAnchor) return answer;
    std::optional<ParamAnchor> anchor = findParamAnchor(host_.markupText(), hit.href);
    answer.text = anchor && !anchor->hint.empty() ? decodeParamEntities(anchor->hint) : hit.href;
    bool show = true;
    // The handler gets the anchor's name, whether or not a hint text stands in the markup.
    raiseEvent(events.OnParamHint, sender_, hit.href, answer.text, show);
    hintAnchor_ = hit.href;
    answer.kind = show ? ParamHintAnswer::Kind::Show : ParamHintAnswer::Kind::Suppressed;
    answer.screenPosition = {mouseScreen.x + 10, mouseScreen.y - 10};
    return answer;
}

} // namespace remvana
