// The selection glue of the main window: a change of the list's selection shows the program
// in the details and sets the buttons; the count of the status bar; the filter's keys.
#include "app/win32/main_form.h"
#include "details/details_markup.h"
#include "details/entry_facts.h"
#include "inventory/entry_health.h"
#include "inventory/list_fill.h"

namespace remvana {

void T_mainForm::AdvListViewSelectItem(HWND, int item, bool selected) {
    TAppInfo* entry = rowAppInfo(item);
    // The marks belong in the details even before the checks after the refresh reach it.
    if (entry && selected) checkEntryHealth(*entry, *services().shell);
    const DetailsSelection selection = detailsForSelection(entry, selected, *services().locale);
    toolBar_.followSelection(selection);
    details_.followSelection(selection);
    if (selection.markupLine0) details_.showLine0(*selection.markupLine0);
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
    if (const auto folder = installLocationFolder(entry->InstallLocation, *services().shell))
        services().shell->openTarget(*folder);
}

void T_mainForm::showProgramCount() {
    setStatusText(kCountStatusPanel, programs_.countText());
}

bool T_mainForm::FormShortcut(const MSG& msg) {
    if (!IsChild(hwnd(), msg.hwnd)) return false;
    return programs_.filterShortcut(msg);
}

} // namespace remvana
