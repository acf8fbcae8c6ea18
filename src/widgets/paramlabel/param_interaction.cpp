#include "widgets/paramlabel/param_interaction.h"

#include <algorithm>

#include "platform/conversion.h"
#include "widgets/paramlabel/param_editors.h"

namespace remvana {

namespace {

Rect inflated(Rect r) {
    return {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
}

bool isEmpty(const Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Blanks and control characters off both ends, as a number is read from a SPIN value.
std::string trimmedParamValue(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
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
            focusAnchor((focused_ <= 0 || focused_ > count - 1) ? count - 1 : focused_ - 1);
        }
        return true;
    case ParamKey::Right:
    case ParamKey::Down:
        if (!host_.tabStop()) return false;
        if (count > 0) {
            focusAnchor((focused_ >= count - 1) ? 0 : focused_ + 1);
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
    case ParamKey::Tab:
    case ParamKey::ShiftTab:
        if (std::optional<int> next = nextTabStop(anchorKinds(), focused_, key == ParamKey::Tab)) {
            focusAnchor(*next);
            return true;
        }
        return false;
    case ParamKey::Other:
        break;
    }
    return false;
}

std::vector<AnchorKind> ParamInteraction::anchorKinds() {
    return remvana::anchorKinds(host_.markupText(), static_cast<bool>(events.OnParamClick));
}

bool ParamInteraction::wantsTab(bool forward) {
    return nextTabStop(anchorKinds(), focused_, forward).has_value();
}

void ParamInteraction::focusEntered(std::optional<bool> forward) {
    if (forward) {
        if (std::optional<int> entry = entryTabStop(anchorKinds(), *forward)) {
            focusAnchor(*entry);
            return;
        }
    }
    if (focused_ >= 0 && focused_ < host_.paintedAnchorCount())
        host_.accessibleEvent(ParamAccessEvent::Focus, focused_);
}

void ParamInteraction::focusAnchor(int index) {
    focused_ = index;
    host_.repaintAll();
    host_.accessibleEvent(ParamAccessEvent::Focus, index);
}

void ParamInteraction::activateAnchor(int index) {
    focusAnchor(index);
    openFocusedAnchor();
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
    Opening at{href, findParamAnchor(markup, href).value_or(ParamAnchor{}), rect, {}};
    hovered_ = -1;
    focused_ = ParamAnchorIndex(markup, href);
    at.screen = host_.clientToScreen({rect.left, rect.top});
    openClass(at);
    // Still editing: an editor stands open over the anchor (the others ended already).
    if (editing_ && focused_ >= 0) host_.accessibleEvent(ParamAccessEvent::EditorOpened, focused_);
}

void ParamInteraction::openClass(const Opening& at) {
    const std::string& href = at.href;
    const std::string& cls = at.anchor.cls;
    const Point editorAt = at.editorAt();
    const int w = at.rect.width();
    auto is = [&](const char* name) { return paramNamesEqual(cls, name); };
    if (cls.empty()) {
        if (!events.OnParamClick) return;
        editing_ = true;
        std::string value = prepareValue(href, at.anchor.text);
        std::string before = value;
        events.OnParamClick(sender_, href, value);
        if (value != before) editDone(href, value);
        editing_ = false;
    } else if (is("EDIT")) {
        editing_ = true;
        std::string value = prepareValue(href, at.anchor.text);
        host_.openTextEditor(href, editorAt, textEditorWidth(w), value);
    } else if (is("TOGGLE")) {
        std::optional<std::string> next = toggledValue(paramListValues(at.anchor.props, false),
                                                       GetParamValue(host_.markupText(), href));
        if (next) editDone(href, *next);
    } else if (is("MENU")) {
        popUpMenu(at);
    } else if (is("LIST")) {
        dropDownList(at);
    } else if (is("DATE") || is("TIME")) {
        openDatePicker(at, is("TIME"));
    } else if (is("SPIN")) {
        openSpinEditor(at);
    } else if (is("DIR")) {
        browseForFolder(at);
    } else if (is("MASK")) {
        editing_ = true;
        std::string value = prepareValue(href, at.anchor.text);
        EditMask mask = parseEditMask(decodeParamEntities(at.anchor.props));
        host_.openMaskEditor(href, {editorAt.x + 2, editorAt.y}, textEditorWidth(w), mask,
                             maskedEditText(mask, value));
    } else if (is("QUERY")) {
        std::string value = prepareValue(href, at.anchor.text);
        raiseEvent(events.OnParamQuery, sender_, href, value);
        editDone(href, value);
    } else if (is("CUSTOM")) {
        std::string value = prepareValue(href, at.anchor.text);
        editing_ = true;
        Rect editRect{at.screen.x, at.screen.y, at.screen.x + w, at.screen.y + at.rect.height()};
        raiseEvent(events.OnParamCustomEdit, sender_, href, value,
                   decodeParamEntities(at.anchor.props), editRect);
    }
}

void ParamInteraction::popUpMenu(const Opening& at) {
    editing_ = true;
    std::vector<std::string> values = paramListValues(at.anchor.props, options.ParamListSorted);
    bool doPopup = true;
    raiseEvent(events.OnParamPopup, sender_, at.href, values, doPopup);
    std::vector<std::string> captions;
    std::optional<int> chosen;
    if (doPopup) {
        prepareValue(at.href, at.anchor.text);
        for (const std::string& value : values)
            captions.push_back(menuItemCaption(value));
        Point below = host_.clientToScreen({at.rect.left, at.rect.bottom});
        chosen = host_.popUpMenu({below.x, below.y + 2}, captions);
        if (chosen && (*chosen < 0 || *chosen >= static_cast<int>(captions.size()))) chosen.reset();
    }
    // The menu has closed either way; hover and hints come back.
    editing_ = false;
    if (!chosen) return;
    std::string value = menuChoiceValue(captions[static_cast<std::size_t>(*chosen)]);
    std::string old = GetParamValue(host_.markupText(), at.href);
    raiseEvent(events.OnParamSelect, sender_, at.href, value);
    host_.setMarkupText(SetParamValue(host_.markupText(), at.href, value));
    if (old != value) raiseEvent(events.OnParamChanged, sender_, at.href, old, value);
}

void ParamInteraction::dropDownList(const Opening& at) {
    editing_ = true;
    std::vector<std::string> values = paramListValues(at.anchor.props, options.ParamListSorted);
    bool doPopup = true;
    raiseEvent(events.OnParamList, sender_, at.href, values, doPopup);
    if (!doPopup) {
        editing_ = false;
        return;
    }
    std::string value = prepareValue(at.href, at.anchor.text);
    host_.openListBox(at.href, host_.clientToScreen({at.rect.left, at.rect.bottom}), values,
                      listItemIndex(values, value));
}

void ParamInteraction::openDatePicker(const Opening& at, bool timeMode) {
    editing_ = true;
    std::string value = prepareValue(at.href, at.anchor.text);
    DateTimeFormats formats = host_.dateTimeFormats();
    std::optional<SystemTime> picked;
    if (timeMode) {
        if (std::optional<SystemTime> time = tryStrToTime(value, formats)) {
            picked = *time;
            picked->year = 2005;
            picked->month = 1;
            picked->day = 1;
        }
    } else {
        picked = tryStrToDate(value, formats);
    }
    host_.openDatePicker(at.href, at.editorAt(), datePickerWidth(at.rect.width()), timeMode,
                         picked);
    // A date that does not read is an error the user sees, over the picker already open; an
    // unreadable time just leaves the picker's time as it was.
    if (!timeMode && !picked) strToDate(value, formats);
}

void ParamInteraction::openSpinEditor(const Opening& at) {
    editing_ = true;
    std::string value = prepareValue(at.href, at.anchor.text);
    std::string trimmed = trimmedParamValue(value);
    std::optional<std::int32_t> number = tryStrToInt(trimmed);
    // A value that is not a number shows as it is, so that a focus loss while the error is
    // up commits nothing new.
    host_.openSpinEditor(at.href, at.editorAt(), spinEditorWidth(at.rect.width()),
                         number ? std::to_string(*number) : value);
    if (!number) strToInt(trimmed);
}

void ParamInteraction::browseForFolder(const Opening& at) {
    editing_ = true;
    std::string value = prepareValue(at.href, at.anchor.text);
    std::optional<std::string> chosen =
        host_.browseForFolder(folderBrowserStart(value, host_.currentDirectory()),
                              host_.clientToScreen({at.rect.left, at.rect.bottom}));
    if (chosen) host_.setMarkupText(SetParamValue(host_.markupText(), at.href, *chosen));
    editing_ = false;
}

void ParamInteraction::editDone(const std::string& href, const std::string& text) {
    std::string value = text;
    if (value.empty() && !options.EmptyParam.empty()) value = options.EmptyParam;
    raiseEvent(events.OnParamEditDone, sender_, href, value);
    const std::string markup = SetParamValue(host_.markupText(), href, value);
    host_.setMarkupText(markup);
    editing_ = false;
    if (int index = ParamAnchorIndex(markup, href); index >= 0)
        host_.accessibleEvent(ParamAccessEvent::ValueChanged, index);
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
