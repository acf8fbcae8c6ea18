// Action glue of the main window: commands, entry deletion and the report.
#include <optional>
#include <string>
#include <vector>

#include "actions/action_errors.h"
#include "actions/command_outcome.h"
#include "actions/commands.h"
#include "actions/removal_texts.h"
#include "actions/win32/audit_report_file.h"
#include "app/win32/main_form.h"
#include "inventory/app_info.h"

namespace remvana {

// Each runs as a job the window follows to its end (main_form_following.cpp); with several
// programs selected Remove removes them one after another, and reads "Stop" meanwhile
// (main_form_removals.cpp).
void T_mainForm::RemoveAdvToolButtonClick(HWND) {
    if (command_ && command_->stopButton().shown)
        stopRemovals();
    else if (programs_.selectedCount() > 1)
        removeSelectedPrograms();
    else
        startEntryCommand(EntryCommand::Remove);
}

void T_mainForm::ChangeAdvToolButtonClick(HWND) {
    startEntryCommand(EntryCommand::Change);
}

void T_mainForm::RepairAdvToolButtonClick(HWND) {
    startEntryCommand(EntryCommand::Repair);
}

void T_mainForm::DeleteEntryAdvToolButtonClick(HWND sender) {
    // The entries are copied before the box runs its own message loop, so nothing that
    // happens meanwhile can leave them pointing at released elements.
    std::vector<TAppInfo> chosen;
    std::vector<std::string> names;
    for (const TAppInfo* entry : selectedAppInfos()) {
        chosen.push_back(*entry);
        names.push_back(programNameOf(*entry));
    }
    if (chosen.empty()) return;
    const std::string question = chosen.size() == 1 ? std::string(kDeleteEntryConfirmation)
                                                    : deleteEntriesConfirmationText(names);
    if (MessageBoxA(hwnd(), question.c_str(), "Confirm", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    std::vector<const TAppInfo*> entries;
    for (const TAppInfo& entry : chosen)
        entries.push_back(&entry);
    // Nothing is deleted unless every backup is on disk: this throws otherwise.
    const std::vector<std::string> failures =
        deleteEntriesUndoably(entries, changeServices(), undo_);
    updateUndoButton();
    // The list shows what the stores hold now, whatever the deletion achieved; then the
    // failures are told.
    RefreshAdvToolButtonClick(sender);
    if (failures.empty()) return;
    std::string text = failures[0];
    for (std::size_t i = 1; i < failures.size(); ++i)
        text += "\n" + failures[i];
    throw ActionError(text);
}

void T_mainForm::SavetofileAdvToolButtonClick(HWND) {
    AuditReportServices report{*services().shell, *services().clock, *services().locale};
    saveAuditReport(hwnd(), completeEntries(), report);
}

} // namespace remvana
