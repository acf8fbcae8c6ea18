// Program list glue of the main window: the list control, the refresh with its list fill,
// and the list's events.
#include <windows.h>

#include <commctrl.h>

#include "app/layout.h"
#include "app/win32/application.h"
#include "app/win32/main_form.h"
#include "inventory/list_fill.h"
#include "inventory/refresh.h"
#include "inventory/win32/list_view_sink.h"
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
    void disableEntryButtons() override {
        for (HWND button :
             {form_.DeleteEntryAdvToolButton, form_.RemoveAdvToolButton, form_.ChangeAdvToolButton,
              form_.RepairAdvToolButton, form_.ModifyPropertiesAdvToolButton})
            form_.setButtonEnabled(button, false);
    }
    void fillList() override {
        const FormServices& services = form_.services();
        ListViewSink sink(
            *form_.ProgramList, form_.SmallImageList,
            [this](int panel, const std::string& text) { form_.setStatusText(panel, text); });
        FillProgramList(Inventory, sink,
                        {*services.shell, *services.registry, *services.clock, *services.locale});
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
    const RECT bounds{0, 0, kLeftPanelWidth, kClientHeight - kStatusBarHeight - kTopPanelHeight};
    AdvListView = ProgramList->create(LeftPanel, kListViewId, bounds);
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
