#include "widgets/paramlabel/win32/param_label_accessible.h"

#include "widgets/paramlabel/accessible_lines.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

namespace {

// A child id (1-based) made of a line index, and back.
long childIdOf(int line) {
    return line + 1;
}

long roleOf(AnchorKind kind) {
    switch (kind) {
    case AnchorKind::Editable:
        return ROLE_SYSTEM_TEXT;
    case AnchorKind::Link:
        return ROLE_SYSTEM_LINK;
    case AnchorKind::Inert:
        break;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

HRESULT answerNothing(VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    return S_FALSE;
}

} // namespace

ParamLabelAccessible* ParamLabelAccessible::create(HWND label) {
    IAccessible* standard = standardAccessible(label);
    if (!standard) return nullptr;
    return new ParamLabelAccessible(label, standard);
}

TParamLabel* ParamLabelAccessible::label() const {
    return connected() ? TParamLabel::fromHandle(hwnd()) : nullptr;
}

// The lines of the label as they are now, and the one a child id names (null for the
// object itself, or for an id that names nothing).
#define REMVANA_LABEL_LINES(childVariant)                                                          \
    TParamLabel* const self = label();                                                             \
    if (!self) return CO_E_OBJNOTCONNECTED;                                                        \
    const std::vector<AccessibleLine> lines = self->accessibleLines();                             \
    const long id = childOf(childVariant);                                                         \
    if (id < 0 || id > static_cast<long>(lines.size())) return E_INVALIDARG;                       \
    const AccessibleLine* const line = id == CHILDID_SELF ? nullptr : &lines[id - 1];              \
    (void)line

HRESULT ParamLabelAccessible::get_accChildCount(long* count) {
    TParamLabel* const self = label();
    if (!self) return CO_E_OBJNOTCONNECTED;
    if (!count) return E_POINTER;
    *count = static_cast<long>(self->accessibleLines().size());
    return S_OK;
}

HRESULT ParamLabelAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    REMVANA_LABEL_LINES(child);
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    // The lines are simple elements, reached through this object by their ids.
    return line ? S_FALSE : E_INVALIDARG;
}

HRESULT ParamLabelAccessible::get_accName(VARIANT child, BSTR* name) {
    REMVANA_LABEL_LINES(child);
    // The label itself is named by its heading (its window text is the whole markup).
    if (!line) return answerText(lines.empty() ? std::string() : lines.front().name, name);
    return answerText(line->name, name);
}

HRESULT ParamLabelAccessible::get_accValue(VARIANT child, BSTR* value) {
    REMVANA_LABEL_LINES(child);
    if (!line) return DISP_E_MEMBERNOTFOUND;
    return answerText(line->value, value);
}

HRESULT ParamLabelAccessible::get_accRole(VARIANT child, VARIANT* role) {
    REMVANA_LABEL_LINES(child);
    if (!line) return DelegatingAccessible::get_accRole(child, role);
    return answerLong(roleOf(line->kind), role);
}

HRESULT ParamLabelAccessible::get_accState(VARIANT child, VARIANT* state) {
    REMVANA_LABEL_LINES(child);
    if (!line) return DelegatingAccessible::get_accState(child, state);
    long flags = 0;
    if (line->kind == AnchorKind::Inert) {
        flags |= STATE_SYSTEM_READONLY;
    } else {
        flags |= STATE_SYSTEM_FOCUSABLE;
        if (line->kind == AnchorKind::Link) flags |= STATE_SYSTEM_LINKED;
        const int focused = self->interaction().focusedIndex();
        if (GetFocus() == hwnd() && lineOfAnchor(lines, focused) == id - 1)
            flags |= STATE_SYSTEM_FOCUSED;
    }
    return answerLong(flags, state);
}

HRESULT ParamLabelAccessible::get_accFocus(VARIANT* child) {
    TParamLabel* const self = label();
    if (!self) return CO_E_OBJNOTCONNECTED;
    if (GetFocus() != hwnd()) return answerNothing(child);
    const int line = lineOfAnchor(self->accessibleLines(), self->interaction().focusedIndex());
    return answerLong(line < 0 ? CHILDID_SELF : childIdOf(line), child);
}

HRESULT ParamLabelAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    REMVANA_LABEL_LINES(child);
    if (!line) return DelegatingAccessible::get_accDefaultAction(child, action);
    if (line->kind == AnchorKind::Inert) return DISP_E_MEMBERNOTFOUND;
    return answerText(line->kind == AnchorKind::Link ? "Jump" : "Edit", action);
}

HRESULT ParamLabelAccessible::accDoDefaultAction(VARIANT child) {
    REMVANA_LABEL_LINES(child);
    if (!line) return DelegatingAccessible::accDoDefaultAction(child);
    if (line->kind == AnchorKind::Inert) return DISP_E_MEMBERNOTFOUND;
    SetFocus(hwnd());
    self->interaction().activateAnchor(line->firstAnchor);
    return S_OK;
}

HRESULT ParamLabelAccessible::accSelect(long flags, VARIANT child) {
    REMVANA_LABEL_LINES(child);
    if (!line) return DelegatingAccessible::accSelect(flags, child);
    if (flags != SELFLAG_TAKEFOCUS || line->kind == AnchorKind::Inert) return E_INVALIDARG;
    SetFocus(hwnd());
    self->interaction().focusAnchor(line->firstAnchor);
    return S_OK;
}

HRESULT ParamLabelAccessible::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) {
    REMVANA_LABEL_LINES(child);
    if (!line) return DelegatingAccessible::accLocation(left, top, width, height, child);
    if (!left || !top || !width || !height) return E_POINTER;
    // A line is where its anchor is; lines of plain text have no place of their own.
    const std::optional<Rect> rect =
        line->firstAnchor < 0 ? std::nullopt : self->anchorRectOf(line->firstAnchor + 1);
    if (!rect) return DISP_E_MEMBERNOTFOUND;
    const Point corner = self->clientToScreen({rect->left, rect->top});
    *left = corner.x;
    *top = corner.y;
    *width = rect->width();
    *height = rect->height();
    return S_OK;
}

HRESULT ParamLabelAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    REMVANA_LABEL_LINES(start);
    const long count = static_cast<long>(lines.size());
    if (!line) {
        if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            if (count == 0) return answerNothing(end);
            return answerLong(direction == NAVDIR_FIRSTCHILD ? 1 : count, end);
        }
        return DelegatingAccessible::accNavigate(direction, start, end);
    }
    long to = 0;
    if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = id + 1;
    if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = id - 1;
    if (to < 1 || to > count) return answerNothing(end);
    return answerLong(to, end);
}

HRESULT ParamLabelAccessible::accHitTest(long left, long top, VARIANT* child) {
    TParamLabel* const self = label();
    if (!self) return CO_E_OBJNOTCONNECTED;
    POINT client{left, top};
    ScreenToClient(hwnd(), &client);
    const MarkupResult hit = self->hitTestAt({client.x, client.y});
    if (hit.hit && hit.anchorNumber > 0) {
        const int line = lineOfAnchor(self->accessibleLines(), hit.anchorNumber - 1);
        if (line >= 0) return answerLong(childIdOf(line), child);
    }
    return DelegatingAccessible::accHitTest(left, top, child);
}

#undef REMVANA_LABEL_LINES

} // namespace remvana
