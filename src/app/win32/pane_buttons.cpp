#include "app/win32/pane_buttons.h"

#include <algorithm>

#include "app/layout.h"
#include "app/scaled_layout.h"
#include "app/win32/main_form.h"
#include "app/win32/tool_button.h"
#include "app/win32/window_util.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

void PaneButtons::create(HWND parent, HWND tooltips) {
    buttons_.clear();
    for (const ButtonRow& row : rows_) {
        HWND button = createToolButton(parent, *row.placement);
        const char* tip = row.tooltip                     ? row.tooltip
                          : row.key != WindowAction::None ? row.placement->caption
                                                          : nullptr;
        if (tip) addControlTooltip(tooltips, button, tooltipWithKey(tip, row.key));
        buttons_.push_back(button);
    }
}

void PaneButtons::rescale(int dpi) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        moveChild(buttons_[i], placedAt(*rows_[i].placement, dpi));
        SendMessageA(buttons_[i], WM_SETFONT,
                     reinterpret_cast<WPARAM>(fontAtDpi(layout::kButtonFont, dpi)), FALSE);
    }
}

std::vector<int> PaneButtons::rightAnchoredWidths() const {
    std::vector<int> widths;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (rows_[i].anchor == Anchor::Right) widths.push_back(outerWidthOf(buttons_[i]));
    return widths;
}

void PaneButtons::setRightAnchoredLefts(const std::vector<int>& lefts) {
    std::size_t next = 0;
    for (std::size_t i = 0; i < buttons_.size() && next < lefts.size(); ++i)
        if (rows_[i].anchor == Anchor::Right) setChildLeft(buttons_[i], lefts[next++]);
}

bool PaneButtons::command(T_mainForm& form, int id, int code, HWND control) const {
    if (code != BN_CLICKED || !isToolButton(control)) return false;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (rows_[i].placement->id == id && buttons_[i] == control) {
            (form.*rows_[i].click)(control);
            return true;
        }
    return false;
}

void PaneButtons::followSelection(const DetailsSelection& selection) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (held(i)) continue;
        if (const auto enabled = enabledAfterSelection(rows_[i].enabledBy, selection))
            EnableWindow(buttons_[i], *enabled ? TRUE : FALSE);
    }
}

void PaneButtons::reset() {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (held(i)) continue;
        const bool now = IsWindowEnabled(buttons_[i]) != FALSE;
        EnableWindow(buttons_[i], enabledAfterReset(rows_[i].enabledBy, now) ? TRUE : FALSE);
    }
}

void PaneButtons::hold(int id, bool enabled) {
    if (std::find(heldIds_.begin(), heldIds_.end(), id) == heldIds_.end()) heldIds_.push_back(id);
    if (HWND control = button(id)) EnableWindow(control, enabled ? TRUE : FALSE);
}

void PaneButtons::release(int id) {
    heldIds_.erase(std::remove(heldIds_.begin(), heldIds_.end(), id), heldIds_.end());
}

bool PaneButtons::held(std::size_t row) const {
    return std::find(heldIds_.begin(), heldIds_.end(), rows_[row].placement->id) != heldIds_.end();
}

HWND PaneButtons::button(int id) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (rows_[i].placement->id == id) return buttons_[i];
    return nullptr;
}

} // namespace remvana
