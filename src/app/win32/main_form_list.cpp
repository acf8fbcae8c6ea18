// Refresh glue of the main window: the refresh with its list fill (the Refresh button's read
// on a thread of its own, the start's on the window's thread), the reading of what it
// left for later, and the list's column clicks.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/win32/application.h"
#include "app/win32/main_form.h"
#include "details/property_edits.h"
#include "inventory/background_rebuild.h"
#include "inventory/list_fill.h"
#include "inventory/reading_progress.h"
#include "inventory/refresh.h"
#include "inventory/store_changes.h"
#include "widgets/listview/win32/adv_list_view.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

namespace {

std::int64_t tickMilliseconds() {
    return static_cast<std::int64_t>(GetTickCount64());
}

// Paints what changed while a long read holds the thread; looking at the queue tells the
// system the window is alive (no "Not Responding").
void paintWhileBusy(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG pending;
    PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
}

// "Reading programs: 4200 of 10000" where the count of programs goes.
void showReadingProgress(T_mainForm& form, std::size_t done, std::size_t total) {
    form.setStatusText(kCountStatusPanel, readingProgressText(done, total));
}

// What the inventory refresh asks of the window.
class FormRefreshView : public RefreshView {
  public:
    explicit FormRefreshView(T_mainForm& form) : form_(form), pacer_(tickMilliseconds) {}

    void clearRows() override { form_.programs().clearRows(); }
    void setDetailsHeading(const std::string& line0) override { form_.details().showLine0(line0); }
    void disableEntryButtons() override { form_.disableEntryButtons(); }
    void fillList() override {
        const FormServices& services = form_.services();
        form_.programs().fill(
            [this](int panel, const std::string& text) { form_.setStatusText(panel, text); },
            {*services.clock, *services.locale});
        // The fill counts every row; a filter set before the refresh still holds.
        form_.showProgramCount();
        form_.programs().startReading();
    }
    // A long refresh shows how far it got and lets the window paint; input waits until the
    // list is filled, as for any refresh.
    void readingProgress(std::size_t done, std::size_t total) override {
        if (!pacer_.due(done, total)) return;
        showReadingProgress(form_, done, total);
        // The first refresh runs before the window is shown; a long one shows it early
        // rather than leave the user with nothing on screen.
        if (!IsWindowVisible(form_.hwnd())) form_.show();
        paintWhileBusy(form_.hwnd());
    }
    void reportRegistryErrorAndExit() override {
        MessageBoxA(form_.hwnd(), "Registry Error", "Error", MB_OK | MB_ICONERROR);
        Application.Terminate();
    }

  private:
    T_mainForm& form_;
    ReadingProgressPacer pacer_;
};

} // namespace

// Like the start, the list first and the rest in slices; the first step is read on a thread
// of its own, so the list shown takes input until the new one replaces it.
void T_mainForm::RefreshAdvToolButtonClick(HWND) {
    if (!refreshRead_) {
        HWND window = hwnd();
        refreshRead_ = std::make_unique<BackgroundRebuild>(
            *services().registry, *services().locale,
            [window] { PostMessageA(window, kRefreshReadMessage, 0, 0); }, tickMilliseconds);
    }
    // What is left of the old list's reading would only compete with the new read.
    programs_.stopReading();
    refreshRead_->start(ScanDepth::ListFirst);
}

void T_mainForm::refreshList(ScanDepth depth) {
    FormRefreshView view(*this);
    refreshInventory(*services().registry, *services().locale, view, depth);
    // Whatever the store watch read before now is older than this.
    if (storesNow_) storesNow_->storesRead();
}

bool T_mainForm::refreshing() const {
    return refreshRead_ && refreshRead_->running();
}

void T_mainForm::followRefreshRead() {
    if (!refreshRead_) return;
    // The new list would take the details from under a value being typed: it waits until
    // the editor has closed, and what was typed goes over to it.
    if (refreshRead_->ended() &&
        TParamLabel::fromHandle(details_.label())->interaction().editing()) {
        SetTimer(hwnd(), kRefreshAfterEditTimer, kRefreshAfterEditMilliseconds, nullptr);
        return;
    }
    BackgroundRebuild::Taken taken;
    try {
        taken = refreshRead_->take();
    } catch (...) {
        // The list shown stays, and so does the reading of what it left for later.
        programs_.startReading();
        showProgramCount();
        throw;
    }
    FormRefreshView view(*this);
    switch (taken.outcome) {
    case BackgroundRebuild::Outcome::Nothing:
        if (refreshRead_->running()) {
            const BackgroundRebuild::Progress progress = refreshRead_->progress();
            showReadingProgress(*this, progress.done, progress.total);
        }
        return;
    case BackgroundRebuild::Outcome::NoStore:
        view.reportRegistryErrorAndExit();
        return;
    case BackgroundRebuild::Outcome::Read:
        showRefreshedList(*taken.inventory);
        // A reading of the watch's begun before now may not match the new entries; and a
        // change made while the thread read (by another program, or an edit here) may have
        // come after it read that entry: the watch reads the stores again, and the window
        // reads whatever was written since.
        if (storesNow_) storesNow_->storesRead();
        if (storeWatch_) storeWatch_->hearNow();
        return;
    }
}

void T_mainForm::showRefreshedList(ProgramInventory& read) {
    std::vector<TAppInfo> typed;
    for (const EntryAddress& at : std::exchange(editedWhileRefreshing_, {}))
        if (const std::optional<EntryId> id = Inventory.find(at.store, at.keyName))
            if (hasUnsavedEdits(Inventory.entry(*id))) typed.push_back(Inventory.entry(*id));
    const TAppInfo* selected = selectedAppInfo();
    std::optional<EntryAddress> typedOnSelected;
    for (const TAppInfo& old : typed)
        if (selected && old.Store == selected->Store && old.KeyName == selected->KeyName)
            typedOnSelected = EntryAddress{old.Store, old.KeyName};
    FormRefreshView view(*this);
    showRebuiltInventory(read, view);
    for (const TAppInfo& old : typed)
        if (const std::optional<EntryId> id = Inventory.find(old.Store, old.KeyName))
            carryPendingEdits(old, Inventory.entry(*id));
    if (!typedOnSelected) return;
    // The program being edited stays selected, with what was typed in view.
    const std::optional<EntryId> id =
        Inventory.find(typedOnSelected->store, typedOnSelected->keyName);
    const int row = id ? programs_.list().shownIndexOfEntry(*id) : -1;
    if (row < 0) return;
    programs_.list().selectRow(row);
    showDetailsOf(row, EditsShown::Typed);
}

const InventoryArray& T_mainForm::completeEntries() {
    // The report is of what the stores hold now: a Refresh still reading is waited for.
    if (refreshing()) {
        refreshRead_->wait([this] {
            const BackgroundRebuild::Progress progress = refreshRead_->progress();
            showReadingProgress(*this, progress.done, progress.total);
            paintWhileBusy(hwnd());
        });
        followRefreshRead();
    }
    ReadingProgressPacer pacer(tickMilliseconds);
    bool shown = false;
    const InventoryArray& whole = Inventory.completeAll([&](std::size_t done, std::size_t total) {
        if (!pacer.due(done, total)) return;
        // Thousands of entries take seconds: the window keeps painting and says why it waits.
        showReadingProgress(*this, done, total);
        shown = true;
        paintWhileBusy(hwnd());
    });
    if (shown) showProgramCount();
    return whole;
}

// The list has sorted by the clicked column already; nothing else follows a click.
void T_mainForm::AdvListViewColumnClick(HWND, int) {}

} // namespace remvana
