// Editing glue of the main window: a finished in-place edit is kept as a pending value of
// the selected program; "Modify Properties" writes the pending values to its subkey.
#include "app/layout.h"
#include "app/undoable_changes.h"
#include "app/win32/main_form.h"
#include "details/property_edits.h"
#include "inventory/program_columns.h"

namespace remvana {

void T_mainForm::ParamLabelParamEditDone(HWND, const std::string& href, std::string& value) {
    TAppInfo* entry = selectedAppInfo();
    if (!recordPropertyEdit(entry, href, value, details_.emptyParam())) return;
    details_.setEnabled(layout::kModifyPropertiesButtonId, true);
    if (refreshing()) editedWhileRefreshing_.push_back({entry->Store, entry->KeyName});
}

void T_mainForm::ModifyPropertiesAdvToolButtonClick(HWND) {
    if (TAppInfo* entry = selectedAppInfo()) {
        // Nothing is written unless a complete backup is on disk: this throws otherwise,
        // and the button stays enabled. A failing write leaves the handler here too, so the
        // button stays enabled for a retry; Undo is offered once something was written.
        try {
            modifyPropertiesUndoably(*entry, changeServices(), undo_, [&](const std::string& name) {
                programs_.setSelectedCaption(name);
            });
        } catch (...) {
            updateUndoButton();
            throw;
        }
        updateUndoButton();
        // The publisher and version columns show what was written; a new name may have
        // moved the row, which stays selected.
        programs_.setSelectedRowTexts(
            programRowTexts(*entry, *services().clock, *services().locale));
    }
    details_.setEnabled(layout::kModifyPropertiesButtonId, false);
}

} // namespace remvana
