// Program list glue of the main window: the list control, the refresh with its list fill,
// and the list's events.
#include <windows.h>

#include <commctrl.h>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/win32/application.h"
#include "app/win32/list_view_sink.h"
#include "app/win32/main_form.h"
#include "app/win32/program_list_columns.h"
#include "app/win32/window_util.h"
#include "inventory/list_fill.h"
#include "inventory/reading_progress.h"
#include "inventory/refresh.h"
#include "platform/win32/canvas_gdi.h"
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

// What the inventory refresh asks of the window.
class FormRefreshView : public RefreshView {
  public:
    FormRefreshView(T_mainForm& form, ScanDepth depth)
        : form_(form), pacer_(tickMilliseconds), depth_(depth) {}

    void clearRows() override { form_.ListIcons->clearRows(); }
    void setDetailsHeading(const std::string& line0) override {
        if (TParamLabel* label = TParamLabel::fromHandle(form_.ParamLabel))
            label->setHtmlLine(0, line0);
    }
    void disableEntryButtons() override { form_.disableEntryButtons(); }
    void fillList() override {
        const FormServices& services = form_.services();
        ListViewSink sink(*form_.ProgramList, [this](int panel, const std::string& text) {
            form_.setStatusText(panel, text);
        });
        FillProgramList(Inventory, sink, {*services.clock, *services.locale});
        // The fill counts every row; a filter set before the refresh still holds.
        form_.showProgramCount();
        // Ahead of the health checks, which need whole entries.
        if (depth_ == ScanDepth::ListFirst)
            PostMessageA(form_.hwnd(), kCompleteEntriesMessage, 0, 0);
        form_.scheduleHealthChecks();
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
    ScanDepth depth_;
};

} // namespace

void T_mainForm::createListControl() {
    using namespace layout;
    ProgramList = std::make_unique<TAdvListView>(*services().locale);
    const Rect list = listPaneFit(clientSizeOf(LeftPanel), dpi_).list;
    AdvListView = ProgramList->create(LeftPanel, kListViewId, toRECT(list));
    ProgramList->setSmallImages(SmallImageList);
    ListIcons = std::make_unique<ProgramListIcons>(*ProgramList, SmallImageList, Inventory,
                                                   *services().shell, *services().registry);
    ListColumns = std::make_unique<ProgramListColumns>(*ProgramList, Inventory,
                                                       *services().registry, *services().locale);
    ProgramList->OnSelectItem = [this](TAdvListView&, int item, bool selected) {
        AdvListViewSelectItem(AdvListView, item, selected);
    };
    ProgramList->OnColumnClick = [this](TAdvListView&, int column) {
        AdvListViewColumnClick(AdvListView, column);
    };
}

LRESULT T_mainForm::listNotify(NMHDR* header) {
    LRESULT result = 0;
    if (ProgramList) ProgramList->handleNotify(header, result);
    return result;
}

// Every handler reaches an entry through Inventory, so an entry the first refresh left
// pending is read whole before any of them sees it.
TAppInfo* T_mainForm::rowAppInfo(int item) {
    const std::optional<std::uint32_t> id =
        ProgramList ? ProgramList->rowEntryId(item) : std::nullopt;
    return id && *id < Inventory.size() ? &Inventory.entry(*id) : nullptr;
}

TAppInfo* T_mainForm::selectedAppInfo() {
    return ProgramList ? rowAppInfo(ProgramList->selectedIndex()) : nullptr;
}

void T_mainForm::RefreshAdvToolButtonClick(HWND) {
    refreshList(ScanDepth::Everything);
}

void T_mainForm::refreshList(ScanDepth depth) {
    FormRefreshView view(*this, depth);
    refreshInventory(*services().registry, *services().locale, view, depth);
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
