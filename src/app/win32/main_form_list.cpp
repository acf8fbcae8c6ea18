// Program list glue of the main window: the list control, the refresh with its list fill,
// and the list's events.
#include <windows.h>

#include <commctrl.h>

#include "app/layout.h"
#include "app/win32/application.h"
#include "app/win32/main_form.h"
#include "inventory/list_fill.h"
#include "inventory/refresh.h"

namespace remvana {

namespace {

// The window as the list fill sees it: the list, its row images and the status bar.
class FormListSink : public ProgramListSink {
  public:
    explicit FormListSink(T_mainForm& form) : form_(form), list_(*form.ProgramList) {}

    void beginListUpdate() override { list_.BeginListUpdate(); }
    void endListUpdate() override { list_.EndListUpdate(); }
    int addImage(IconHandle icon) override {
        return ImageList_AddIcon(form_.SmallImageList, reinterpret_cast<HICON>(icon));
    }
    void addRow(const std::string& caption, TAppInfo* data, int imageIndex,
                const std::vector<std::string>& subItems) override {
        list_.addRow(caption, data, imageIndex, subItems);
    }
    int columnWidth(int column) override { return list_.columnWidth(column); }
    void setColumnWidth(int column, int width) override { list_.setColumnWidth(column, width); }
    void setStatusText(int panel, const std::string& text) override {
        form_.setStatusText(panel, text);
    }

  private:
    T_mainForm& form_;
    TAdvListView& list_;
};

// What the inventory refresh asks of the window.
class FormRefreshView : public RefreshView {
  public:
    explicit FormRefreshView(T_mainForm& form) : form_(form) {}

    void clearRows() override {
        form_.ProgramList->clear();
        // No row refers to the icons of the last fill any more: keep only the generic
        // program image, so refreshes do not pile up images.
        if (ImageList_GetImageCount(form_.SmallImageList) > 1)
            ImageList_SetImageCount(form_.SmallImageList, 1);
    }
    void setDetailsHeading(const std::string& line0) override {
        // The label keeps its whole markup in line 0, which is its window text.
        SetWindowTextA(form_.ParamLabel, line0.c_str());
    }
    void disableEntryButtons() override {
        for (HWND button :
             {form_.DeleteEntryAdvToolButton, form_.RemoveAdvToolButton, form_.ChangeAdvToolButton,
              form_.RepairAdvToolButton, form_.ModifyPropertiesAdvToolButton})
            form_.setButtonEnabled(button, false);
    }
    void fillList() override {
        const FormServices& services = form_.services();
        FormListSink sink(form_);
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

// The list fits its name column to every new size itself.
void T_mainForm::listResized() {}

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
