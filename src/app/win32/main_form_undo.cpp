// Undo glue of the main window: every Delete Entry and Modify Properties is preceded by a
// backup of the entry, and "Undo" puts the newest one back, then refreshes.
#include "app/action_keys.h"
#include "app/layout.h"
#include "app/win32/application.h"
#include "app/win32/main_form.h"

namespace remvana {

ChangeServices T_mainForm::changeServices() {
    return {*services().registry, *services().files, *services().clock};
}

void T_mainForm::updateUndoButton() {
    toolBar_.setEnabled(layout::kUndoButtonId, !undo_.empty());
    toolBar_.setTip(
        layout::kUndoButtonId,
        tooltipWithKey(undo_.empty() ? layout::kUndoButton.caption : undoTooltip(undo_.newest()),
                       WindowAction::Undo));
}

void T_mainForm::UndoAdvToolButtonClick(HWND sender) {
    // A restore that fails half-way may still have changed keys, so the list is refreshed
    // either way; the failed step stays, with its file, for another try.
    Application.guarded([&] {
        // A registration made since the deletion is replaced only when the user agrees.
        if (const auto question = undo_.replaceQuestion(*services().registry))
            if (MessageBoxA(hwnd(), question->c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) !=
                IDYES)
                return;
        undo_.undoNewest(*services().registry, *services().files, *services().clock);
    });
    updateUndoButton();
    RefreshAdvToolButtonClick(sender);
}

} // namespace remvana
