// Following glue of the main window: a Remove, Change or Repair started from here runs as a
// job whose end the job service's thread only posts (kCommandEndedMessage); other programs'
// changes to the stores reach the window the same way from the store watch's thread
// (kStoresChangedMessage). Nothing here runs while nothing happens.
#include <algorithm>

#include "app/win32/main_form.h"
#include "details/property_edits.h"
#include "inventory/store_changes.h"
#include "inventory/uninstall_store.h"
#include "platform/win32/store_watch_win32.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

namespace {

// A burst of writes (an installer registering itself) is one update after this much quiet.
constexpr unsigned kStoresQuietMilliseconds = 500;

bool holdsId(const std::vector<EntryId>& ids, EntryId id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

void T_mainForm::startWatchingStores() {
    HWND window = hwnd();
    storeWatch_ = std::make_unique<Win32StoreWatch>(
        watchedStoreKeys(*services().registry), kStoresQuietMilliseconds,
        [window] { PostMessageA(window, kStoresChangedMessage, 0, 0); });
}

void T_mainForm::startEntryCommand(EntryCommand command) {
    const TAppInfo* entry = selectedAppInfo();
    if (entry == nullptr || !command_) return;
    HWND window = hwnd();
    if (!command_->start(command, *entry, [window](std::uint32_t exitCode) {
            PostMessageA(window, kCommandEndedMessage, exitCode, 0);
        }))
        return;
    setStatusText(kCommandStatusPanel, command_->runningText());
    updateEntryCommandButtons();
}

void T_mainForm::commandEnded(std::uint32_t exitCode) {
    const std::optional<CommandEnded> end = command_ ? command_->ended(exitCode) : std::nullopt;
    if (!end) return;
    // Now rather than after the watch's quiet period: a removed program's row leaves at once.
    followStores();
    setStatusText(kCommandStatusPanel, end->statusText);
    const TAppInfo* selected = selectedAppInfo();
    if (selected && EntryAddress{selected->Store, selected->KeyName} == end->entry)
        showDetailsOf(programs_.list().selectedIndex(), EditsShown::Typed);
    updateEntryCommandButtons();
    // Removing several: once the last has ended (main_form_removals.cpp).
    showRemovalsSummary();
}

void T_mainForm::followStores() {
    InventoryChanges changes;
    if (!Inventory.update(*services().registry, *services().locale, hasUnsavedEdits, changes) ||
        !changes.any())
        return;
    const std::optional<EntryId> selected = programs_.selectedEntryId();
    programs_.followChanges(changes, {*services().clock, *services().locale});
    showProgramCount();
    if (!selected) return;
    if (!programs_.selectedEntryId()) {
        resetDetails(); // its row left with its entry
    } else if (holdsId(changes.changed, *selected) || holdsId(changes.keptAsTheyWere, *selected)) {
        // The new values, or the line that says the shown ones are no longer the stored
        // ones; what the user typed stays in view either way.
        showDetailsOf(programs_.list().selectedIndex(), EditsShown::Typed);
    }
}

void T_mainForm::updateEntryCommandButtons() {
    showStopButton();
    if (programs_.selectedCount() > 1) {
        showSeveralSelected();
        return;
    }
    const TAppInfo* entry = selectedAppInfo();
    DetailsSelection selection = detailsForSelection(entry, entry != nullptr, *services().locale);
    if (command_) command_->withholdEntryCommands(selection.buttons);
    toolBar_.followSelection(selection);
}

} // namespace remvana
