// The selection glue of the main window: a change of the list's selection shows the program
// in the details and sets the buttons; the count of the status bar; the filter's keys.
#include "actions/removal_queue.h"
#include "app/layout.h"
#include "app/win32/main_form.h"
#include "details/details_markup.h"
#include "details/entry_facts.h"
#include "details/property_edits.h"
#include "details/several_selected.h"
#include "inventory/entry_health.h"
#include "inventory/list_fill.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

void T_mainForm::AdvListViewSelectItem(HWND, int item, bool selected) {
    const int count = programs_.selectedCount();
    if (count > 1) {
        // Summed up once the control has announced every row of a range or of Ctrl+A.
        if (!severalSelectedPosted_)
            severalSelectedPosted_ = PostMessageA(hwnd(), kSeveralSelectedMessage, 0, 0) != FALSE;
        return;
    }
    // One of several let go: the one left is the selection.
    if (count == 1 && !selected) {
        item = programs_.list().selectedIndex();
        selected = true;
    }
    if (selected) {
        showDetailsOf(item, EditsShown::Loaded);
        return;
    }
    DetailsSelection selection = detailsForSelection(nullptr, false, *services().locale);
    toolBar_.followSelection(selection);
    details_.followSelection(selection);
}

void T_mainForm::showDetailsOf(int item, EditsShown edits) {
    TAppInfo* entry = rowAppInfo(item);
    // The marks belong in the details even before the checks after the refresh reach it.
    if (entry) checkEntryHealth(*entry, *services().shell);
    DetailsSelection selection =
        detailsForSelection(entry, entry != nullptr, *services().locale, edits);
    if (command_) {
        command_->withholdEntryCommands(selection.buttons);
        // How the last command for this entry ended, until the next one starts.
        if (entry && selection.markupLine0)
            *selection.markupLine0 += command_->detailsNoteMarkup({entry->Store, entry->KeyName});
    }
    toolBar_.followSelection(selection);
    details_.followSelection(selection);
    if (selection.markupLine0) details_.showLine0(*selection.markupLine0);
    // Shown again with what was typed: that can still be written.
    if (entry && edits == EditsShown::Typed && hasPendingProperties(*entry))
        details_.setEnabled(layout::kModifyPropertiesButtonId, true);
}

void T_mainForm::showSeveralSelected() {
    severalSelectedPosted_ = false;
    const std::vector<TAppInfo*> selected = selectedAppInfos();
    // Narrowed to one or none meanwhile: that change has shown itself.
    if (selected.size() < 2) return;
    const std::vector<const TAppInfo*> entries(selected.begin(), selected.end());
    DetailsSelection selection = detailsForSeveral(
        entries, quietRemovalCount(entries, *services().registry), *services().locale);
    // Remove stays "Stop" while several are removed; Change and Repair wait.
    if (command_) command_->withholdEntryCommands(selection.buttons);
    toolBar_.followSelection(selection);
    details_.followSelection(selection);
    details_.showLine0(*selection.markupLine0);
}

void T_mainForm::resetDetails() {
    details_.showHeading();
    disableEntryButtons();
}

void T_mainForm::disableEntryButtons() {
    toolBar_.reset();
    details_.reset();
}

void T_mainForm::ParamLabelParamClick(HWND, const std::string& href, std::string&) {
    const TAppInfo* entry = selectedAppInfo();
    if (!entry || href != kInstallLocationHref) return;
    // Only a folder is opened; a file named there would run.
    openInstallLocation(entry->InstallLocation, *services().shell);
}

void T_mainForm::showProgramCount() {
    // While a command runs its panel says so; the count waits for its end.
    const bool running = command_ && command_->running();
    setStatusText(kCountStatusPanel, running ? command_->runningText() : programs_.countText());
}

bool T_mainForm::FormShortcut(const MSG& msg) {
    if (!IsChild(hwnd(), msg.hwnd)) return false;
    return actionShortcut(msg) || programs_.filterShortcut(msg);
}

} // namespace remvana
