#include "app/win32/tool_bar_pane.h"

#include <array>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/win32/main_form.h"
#include "app/win32/panel_control.h"
#include "app/win32/window_util.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

namespace {

using namespace layout;

// The tool bar's buttons, left to right.
constexpr std::array<ButtonRow, 7> kToolBarButtons{{
    {&kRemoveButton, EnabledBy::Remove, Anchor::Left, &T_mainForm::RemoveAdvToolButtonClick},
    {&kChangeButton, EnabledBy::Change, Anchor::Left, &T_mainForm::ChangeAdvToolButtonClick},
    {&kRepairButton, EnabledBy::Repair, Anchor::Left, &T_mainForm::RepairAdvToolButtonClick},
    {&kDeleteEntryButton, EnabledBy::DeleteEntry, Anchor::Left,
     &T_mainForm::DeleteEntryAdvToolButtonClick, nullptr, WindowAction::DeleteEntry},
    // Its tip names the newest change once there is one (T_mainForm::updateUndoButton).
    {&kUndoButton, EnabledBy::Itself, Anchor::Left, &T_mainForm::UndoAdvToolButtonClick,
     kUndoButton.caption, WindowAction::Undo},
    {&kRefreshButton, EnabledBy::Itself, Anchor::Right, &T_mainForm::RefreshAdvToolButtonClick,
     nullptr, WindowAction::Refresh},
    {&kSavetofileButton, EnabledBy::Itself, Anchor::Right,
     &T_mainForm::SavetofileAdvToolButtonClick, nullptr, WindowAction::SaveToFile},
}};

} // namespace

ToolBarPane::ToolBarPane() : buttons_(kToolBarButtons) {}

std::span<const ButtonRow> ToolBarPane::buttonTable() {
    return kToolBarButtons;
}

void ToolBarPane::create(HWND parent, const Rect& rect, HWND tooltips) {
    tooltips_ = tooltips;
    dpi_ = layoutDpi(parent);
    panel_ = createAdvPanel(parent, kTopPanelId, rect);
    buttons_.create(panel_, tooltips);
}

void ToolBarPane::layout(const Rect& rect, int dpi) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        buttons_.rescale(dpi);
    }
    moveChild(panel_, rect);
}

void ToolBarPane::alignToWindow(int outerWidth, int dpi) {
    buttons_.setRightAnchoredLefts(
        rightAnchoredLefts(outerWidth, buttons_.rightAnchoredWidths(), dpi));
}

void ToolBarPane::setEnabled(int id, bool enabled) {
    if (HWND button = buttons_.button(id)) EnableWindow(button, enabled ? TRUE : FALSE);
}

void ToolBarPane::setTip(int id, const std::string& text) {
    if (HWND button = buttons_.button(id)) setControlTooltip(tooltips_, button, text);
}

} // namespace remvana
