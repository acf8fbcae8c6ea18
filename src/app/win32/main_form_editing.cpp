// Editing glue of the main window: a finished in-place edit is kept as a pending value of
// the selected program; "Modify Properties" writes the pending values to its subkey.
#include "app/win32/main_form.h"
#include "app/undoable_changes.h"
#include "details/property_edits.h"
#include "inventory/program_columns.h"
#include "widgets/listview/win32/adv_list_view.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

void T_mainForm::ParamLabelParamEditDone(HWND, const std::string& href, std::string& value) {
    TParamLabel* label = TParamLabel::fromHandle(ParamLabel);
    const std::string emptyParam = label ? label->editOptions().EmptyParam : std::string();
    if (recordPropertyEdit(selectedAppInfo(), href, value, emptyParam))
        setButtonEnabled(ModifyPropertiesAdvToolButton, true);
}

void T_mainForm::ModifyPropertiesAdvToolButtonClick(HWND) {
    if (TAppInfo* entry = selectedAppInfo()) {
        const int row = ProgramList->selectedIndex();
        // Nothing is written unless a complete backup is on disk: this throws otherwise,
        // and the button stays enabled. A failing write leaves the handler here too, so the
        // button stays enabled for a retry; Undo is offered once something was written.
        try {
            modifyPropertiesUndoably(*entry, changeServices(), Undo, [&](const std::string& name) {
                ProgramList->setCaption(row, name);
            });
        } catch (...) {
            updateUndoButton();
            throw;
        }
        updateUndoButton();
        // The publisher and version columns show what was written; a new name may have
        // moved the row, which stays selected.
        ProgramList->setRowTexts(ProgramList->selectedIndex(),
                                 programRowTexts(*entry, *services().clock, *services().locale));
    }
    setButtonEnabled(ModifyPropertiesAdvToolButton, false);
}

} // namespace remvana
