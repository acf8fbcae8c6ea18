// Keyboard glue of the main window: where the focus goes when the window is activated, the
// window's keys for its actions (action_keys.h) and the row menu, opened by a right click,
// Shift+F10 or the menu key.
#include <windowsx.h>

#include <optional>
#include <string>
#include <utility>

#include "actions/action_errors.h"
#include "actions/audit_report.h"
#include "app/action_keys.h"
#include "app/layout.h"
#include "app/row_menu.h"
#include "app/win32/application.h"
#include "app/win32/main_form.h"
#include "app/win32/row_menu_popup.h"
#include "inventory/entry_health.h"
#include "platform/win32/clipboard_win32.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

namespace {

constexpr const char* kCopyFailedText =
    "The program's details could not be put on the clipboard: another program holds it.";

bool enabled(HWND control) {
    return control != nullptr && IsWindowEnabled(control) != FALSE;
}

} // namespace

void T_mainForm::followActivation(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd(), focus)) lastFocus_ = focus;
        return;
    }
    if (HIWORD(wParam) != 0) return; // minimized: nothing to focus
    // Back where the user left it (a dialog of this program or another program came
    // between); the first time, the list, with its first row focused and not selected.
    if (lastFocus_ != nullptr && IsChild(hwnd(), lastFocus_) && enabled(lastFocus_) &&
        IsWindowVisible(lastFocus_))
        SetFocus(lastFocus_);
    else
        programs_.list().takeFocus();
}

bool T_mainForm::pressButton(HWND button) {
    if (!enabled(button)) return false;
    // The same way as a click, so the key does exactly what the button does.
    SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
}

bool T_mainForm::actionShortcut(const MSG& msg) {
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!down && !up) return false;
    const KeyPress key{static_cast<int>(msg.wParam), GetKeyState(VK_CONTROL) < 0,
                       GetKeyState(VK_SHIFT) < 0, (HIWORD(msg.lParam) & KF_ALTDOWN) != 0};
    const KeyFocus focus = msg.hwnd == programs_.listWindow()  ? KeyFocus::ProgramList
                           : msg.hwnd == programs_.filterBox() ? KeyFocus::FilterBox
                                                               : KeyFocus::Elsewhere;
    const WindowAction action = actionForKey(key, focus);
    // The release of a menu key would open the menu a second time.
    if (up) return action == WindowAction::ContextMenu;
    using namespace layout;
    switch (action) {
    case WindowAction::Refresh:
        return pressButton(toolBar_.button(kRefreshButtonId));
    case WindowAction::DeleteEntry:
        return pressButton(toolBar_.button(kDeleteEntryButtonId));
    case WindowAction::SaveToFile:
        return pressButton(toolBar_.button(kSavetofileButtonId));
    case WindowAction::Undo:
        return pressButton(toolBar_.button(kUndoButtonId));
    case WindowAction::ContextMenu:
        openRowMenu(rowMenuPoint(programs_.listWindow(), programs_.list().selectedIndex()));
        return true;
    default:
        return false; // the filter's keys are the program pane's
    }
}

bool T_mainForm::onContextMenu(HWND source, LPARAM lParam) {
    if (source != programs_.listWindow()) return false;
    // A right click has selected the row under the mouse already; from the keyboard the
    // menu goes to the selected row.
    const POINT at = lParam == -1 ? rowMenuPoint(source, programs_.list().selectedIndex())
                                  : POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    openRowMenu(at);
    return true;
}

void T_mainForm::openRowMenu(POINT at) {
    if (selectedAppInfos().empty()) return;
    // One folder to open only for one program.
    const TAppInfo* entry = selectedAppInfo();
    using namespace layout;
    DetailsButtons buttons;
    buttons.remove = enabled(toolBar_.button(kRemoveButtonId));
    buttons.change = enabled(toolBar_.button(kChangeButtonId));
    buttons.repair = enabled(toolBar_.button(kRepairButtonId));
    buttons.deleteEntry = enabled(toolBar_.button(kDeleteEntryButtonId));
    const bool folder =
        entry && installLocationFolder(entry->InstallLocation, *services().shell).has_value();
    const std::optional<RowCommand> chosen = showRowMenu(hwnd(), at, rowMenuItems(buttons, folder));
    if (chosen) runRowCommand(*chosen);
}

void T_mainForm::runRowCommand(RowCommand command) {
    using namespace layout;
    // The menu's actions that are the tool bar's: the button's click.
    constexpr std::pair<RowCommand, int> kButtonCommands[] = {
        {RowCommand::Remove, kRemoveButtonId},
        {RowCommand::Change, kChangeButtonId},
        {RowCommand::Repair, kRepairButtonId},
        {RowCommand::DeleteEntry, kDeleteEntryButtonId},
    };
    for (const auto& [buttonCommand, id] : kButtonCommands)
        if (buttonCommand == command) {
            pressButton(toolBar_.button(id));
            return;
        }
    // Asked again: the menu's own message loop may have let a refresh replace the entries.
    if (command == RowCommand::OpenInstallLocation) {
        if (const TAppInfo* entry = selectedAppInfo())
            openInstallLocation(entry->InstallLocation, *services().shell);
        return;
    }
    // Each selected row's block, top first, as the report has them.
    AuditReportServices report{*services().shell, *services().clock, *services().locale};
    std::string blocks;
    for (const TAppInfo* entry : selectedAppInfos())
        blocks += auditReportBlock(*entry, report);
    if (blocks.empty()) return;
    Application.guarded([&] {
        if (!copyTextToClipboard(hwnd(), blocks)) throw ActionError(kCopyFailedText);
    });
}

} // namespace remvana
