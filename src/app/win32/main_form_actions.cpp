// Action glue of the main window: commands, entry deletion and the report.
#include <optional>
#include <string>

#include "actions/action_errors.h"
#include "actions/commands.h"
#include "actions/win32/audit_report_file.h"
#include "app/win32/main_form.h"
#include "inventory/app_info.h"

namespace remvana {

// The started uninstaller changes the store on its own time, so the list stays as it is
// until the user refreshes.
void T_mainForm::RemoveAdvToolButtonClick(HWND) {
    startCommand(removeCommandLine(selectedAppInfo()), *services().shell);
}

void T_mainForm::ChangeAdvToolButtonClick(HWND) {
    startCommand(changeCommandLine(selectedAppInfo()), *services().shell);
}

void T_mainForm::RepairAdvToolButtonClick(HWND) {
    startCommand(repairCommandLine(selectedAppInfo()), *services().shell);
}

void T_mainForm::DeleteEntryAdvToolButtonClick(HWND sender) {
    const TAppInfo* entry = selectedAppInfo();
    if (entry == nullptr) return;
    // The entry is copied before the box runs its own message loop, so nothing that happens
    // meanwhile can leave it pointing at a released element.
    const TAppInfo chosen = *entry;
    const std::string question(kDeleteEntryConfirmation);
    if (MessageBoxA(hwnd(), question.c_str(), "Confirm", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // Nothing is deleted unless a complete backup is on disk: this throws otherwise.
    const std::optional<std::string> failure = deleteEntryUndoably(chosen, changeServices(), undo_);
    updateUndoButton();
    // The list shows what the store holds now, whatever the deletion achieved; then the
    // failure is told.
    RefreshAdvToolButtonClick(sender);
    if (failure) throw ActionError(*failure);
}

void T_mainForm::SavetofileAdvToolButtonClick(HWND) {
    AuditReportServices report{*services().shell, *services().clock, *services().locale};
    saveAuditReport(hwnd(), completeEntries(), report);
}

} // namespace remvana
