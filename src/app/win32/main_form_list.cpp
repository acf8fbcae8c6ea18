// Refresh glue of the main window: the refresh with its list fill, the reading of what it
// left for later, and the list's column clicks.
#include <windows.h>

#include <commctrl.h>

#include "app/win32/application.h"
#include "app/win32/main_form.h"
#include "inventory/list_fill.h"
#include "inventory/reading_progress.h"
#include "inventory/refresh.h"
#include "inventory/store_changes.h"

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
        form_.setStatusText(kCountStatusPanel, readingProgressText(done, total));
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

// Like the start, the list first and the rest in slices: a refresh of thousands of programs
// holds input no longer than the start does.
void T_mainForm::RefreshAdvToolButtonClick(HWND) {
    refreshList(ScanDepth::ListFirst);
}

void T_mainForm::refreshList(ScanDepth depth) {
    FormRefreshView view(*this);
    refreshInventory(*services().registry, *services().locale, view, depth);
    // Whatever the store watch read before now is older than this.
    if (storesNow_) storesNow_->storesRead();
}

const InventoryArray& T_mainForm::completeEntries() {
    ReadingProgressPacer pacer(tickMilliseconds);
    bool shown = false;
    const InventoryArray& whole = Inventory.completeAll([&](std::size_t done, std::size_t total) {
        if (!pacer.due(done, total)) return;
        // Thousands of entries take seconds: the window keeps painting and says why it waits.
        setStatusText(kCountStatusPanel, readingProgressText(done, total));
        shown = true;
        paintWhileBusy(hwnd());
    });
    if (shown) showProgramCount();
    return whole;
}

// The list has sorted by the clicked column already; nothing else follows a click.
void T_mainForm::AdvListViewColumnClick(HWND, int) {}

} // namespace remvana
