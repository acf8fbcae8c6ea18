// Following glue of the main window: a Remove, Change or Repair started from here runs as a
// job whose end the job service's thread only posts (kCommandEndedMessage); other programs'
// changes to the stores reach the window the same way from the store watch's thread
// (kStoresChangedMessage). That thread also reads the stores' key names and write times,
// which takes about a second at 10,000 entries, so that the window only compares and reads
// the few entries that changed. Nothing here runs while nothing happens.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

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

// On the watch's thread: the stores read, handed over, and the window told.
void offerStoresNow(RegistryFactory& registry, StoresNowHandoff& handoff, HWND window) {
    const std::uint64_t mark = handoff.mark();
    std::optional<StoresNow> stores;
    try {
        stores = readStoresNow(registry);
    } catch (...) {
        // The window reads them itself then, where a failure is reported.
    }
    handoff.offer(mark, std::move(stores));
    PostMessageA(window, kStoresChangedMessage, 0, 0);
}

} // namespace

void T_mainForm::startWatchingStores() {
    HWND window = hwnd();
    RegistryFactory* registry = services().registry;
    storesNow_ = std::make_shared<StoresNowHandoff>();
    storeWatch_ = std::make_unique<Win32StoreWatch>(
        watchedStoreKeys(*registry), kStoresQuietMilliseconds,
        [window, registry, handoff = storesNow_] { offerStoresNow(*registry, *handoff, window); });
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
    // Now rather than after the watch's quiet period: a removed program's row leaves as soon
    // as the stores are read.
    if (storeWatch_)
        storeWatch_->hearNow();
    else
        followStores();
    showOutcomeOverTheStores(end->statusText);
    const TAppInfo* selected = selectedAppInfo();
    if (selected && EntryAddress{selected->Store, selected->KeyName} == end->entry)
        showDetailsOf(programs_.list().selectedIndex(), EditsShown::Typed);
    updateEntryCommandButtons();
    // Removing several: once the last has ended (main_form_removals.cpp).
    showRemovalsSummary();
}

void T_mainForm::followStoresRead() {
    if (!storesNow_) return;
    StoresNowHandoff::Taken taken = storesNow_->take();
    switch (taken.outcome) {
    case StoresNowHandoff::Outcome::Nothing:
        return; // taken with an earlier message
    case StoresNowHandoff::Outcome::Dropped:
        // Read before the window's own last read, which may have come too early for a change
        // that reading saw: the stores are read again.
        if (storeWatch_) storeWatch_->hearNow();
        return;
    case StoresNowHandoff::Outcome::Failed:
        followStores();
        return;
    case StoresNowHandoff::Outcome::Fresh:
        followStores(std::move(*taken.stores));
        return;
    }
}

void T_mainForm::followStores() {
    followStores(readStoresNow(*services().registry));
}

void T_mainForm::showOutcomeOverTheStores(const std::string& text) {
    setStatusText(kCommandStatusPanel, text);
    outcomeOverTheStores_ = text;
}

void T_mainForm::followStores(StoresNow stores) {
    const std::string outcome = std::exchange(outcomeOverTheStores_, {});
    InventoryChanges changes;
    if (!Inventory.update(std::move(stores), *services().registry, *services().locale,
                          hasUnsavedEdits, changes) ||
        !changes.any())
        return;
    const std::optional<EntryId> selected = programs_.selectedEntryId();
    programs_.followChanges(changes, {*services().clock, *services().locale});
    showProgramCount();
    // The rows that leave after a command ended are its outcome: that stays in the panel.
    if (!outcome.empty()) setStatusText(kCommandStatusPanel, outcome);
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
