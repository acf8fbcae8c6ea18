// Program list glue of the main window: the list control, the refresh with its list fill,
// and the list's events.
#include <windows.h>

#include <commctrl.h>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/win32/application.h"
#include "app/win32/main_form.h"
#include "app/win32/window_util.h"
#include "inventory/list_fill.h"
#include "inventory/refresh.h"
#include "inventory/win32/list_view_sink.h"
#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

namespace {

// What the inventory refresh asks of the window.
class FormRefreshView : public RefreshView {
  public:
    explicit FormRefreshView(T_mainForm& form) : form_(form) {}

    void clearRows() override { clearProgramRows(*form_.ProgramList, form_.SmallImageList); }
    void setDetailsHeading(const std::string& line0) override {
        if (TParamLabel* label = TParamLabel::fromHandle(form_.ParamLabel))
            label->setHtmlLine(0, line0);
    }
    void disableEntryButtons() override { form_.disableEntryButtons(); }
    void fillList() override {
        const FormServices& services = form_.services();
        ListViewSink sink(
            *form_.ProgramList, form_.SmallImageList,
            [this](int panel, const std::string& text) { form_.setStatusText(panel, text); });
        FillProgramList(Inventory, sink,
                        {*services.shell, *services.registry, *services.clock, *services.locale});
        // The fill counts every row; a filter set before the refresh still holds.
        form_.showProgramCount();
        form_.scheduleHealthChecks();
    }
    void reportRegistryErrorAndExit() override {
        MessageBoxA(form_.handle(), "Registry Error", "Error", MB_OK | MB_ICONERROR);
        Application.Terminate();
    }

  private:
    T_mainForm& form_;
};

} // namespace

void T_mainForm::createListControl() {
    using namespace layout;
    ProgramList = std::make_unique<TAdvListView>(*services().locale);
    const Rect list = listPaneFit(clientSizeOf(LeftPanel)).list;
    AdvListView = ProgramList->create(LeftPanel, kListViewId, toRECT(list));
    ProgramList->setSmallImages(SmallImageList);
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

TAppInfo* T_mainForm::rowAppInfo(int item) const {
    return ProgramList ? ProgramList->rowData(item) : nullptr;
}

TAppInfo* T_mainForm::selectedAppInfo() const {
    return ProgramList ? ProgramList->rowData(ProgramList->selectedIndex()) : nullptr;
}

void T_mainForm::RefreshAdvToolButtonClick(HWND) {
    FormRefreshView view(*this);
    refreshInventory(*services().registry, *services().locale, view);
}

// The list has sorted by the clicked column already; nothing else follows a click.
void T_mainForm::AdvListViewColumnClick(HWND, int) {}

} // namespace remvana
