// Filter and health glue of the main window: the filter box above the program list, its
// keys, the status count, and the health checks that grey rows once the list is shown.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/filter_keys.h"
#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/win32/application.h"
#include "app/win32/form_resources.h"
#include "app/win32/main_form.h"
#include "app/win32/window_util.h"
#include "details/details_markup.h"
#include "inventory/entry_health.h"
#include "inventory/list_fill.h"
#include "inventory/program_filter.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/code_page_win32.h"

namespace remvana {

namespace {

constexpr std::size_t kHealthBatch = 32;

bool uninstallerMissingIn(const ListRow& row) {
    return row.entryId < Inventory.size() &&
           Inventory.listed(row.entryId).health().uninstallerMissing;
}

} // namespace

void T_mainForm::createFilterEdit() {
    using namespace layout;
    const ListPaneFit fit = listPaneFit(clientSizeOf(LeftPanel), dpi_);
    const Rect& box = fit.filterEdit;
    FilterEdit = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, box.left,
        box.top, box.width(), box.height(), LeftPanel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFilterEditId)), instance(), nullptr);
    resources_->filterFont.reset(createFontOf(scaledFont(kParamLabelFont, dpi_)));
    SendMessageA(FilterEdit, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->filterFont.get()),
                 FALSE);
    const std::wstring cue = ansiToWide(kFilterCueText);
    // Shown while the box is empty, focused or not.
    SendMessageA(FilterEdit, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));

    ProgramList->IsRowDimmed = uninstallerMissingIn;
    ProgramList->RowTip = [](const ListRow& row) {
        return uninstallerMissingIn(row) ? std::string(kUninstallerMissingText) : std::string();
    };
    Application.KeyPreview = [this](const MSG& msg) { return FormShortcut(msg); };
}

void T_mainForm::FilterEditChange(HWND) {
    char text[256] = {};
    GetWindowTextA(FilterEdit, text, sizeof text);
    if (filterText_ == text) return;
    filterText_ = text;
    TAdvListView::RowPredicate keep;
    if (!filterText_.empty())
        keep = [wanted = filterText_](const ListRow& row) {
            return row.entryId < Inventory.size() &&
                   matchesProgramFilter(Inventory.listed(row.entryId), wanted);
        };
    if (ProgramList->setRowFilter(std::move(keep))) resetDetails();
    showProgramCount();
}

bool T_mainForm::FormShortcut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !FilterEdit || !IsChild(hwnd(), msg.hwnd)) return false;
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool inFilterOrList = msg.hwnd == FilterEdit || msg.hwnd == AdvListView;
    switch (filterKeyAction(static_cast<int>(msg.wParam), ctrl, inFilterOrList)) {
    case FilterKeyAction::FocusFilter:
        SetFocus(FilterEdit);
        SendMessageA(FilterEdit, EM_SETSEL, 0, -1);
        return true;
    case FilterKeyAction::ClearFilter:
        SetWindowTextA(FilterEdit, ""); // the change notification refilters
        return true;
    case FilterKeyAction::None:
        break;
    }
    return false;
}

void T_mainForm::showProgramCount() {
    setStatusText(kCountStatusPanel,
                  programCountText(ProgramList->rowCount(), ProgramList->totalRowCount(),
                                   !filterText_.empty()));
}

void T_mainForm::disableEntryButtons() {
    for (HWND button : {DeleteEntryAdvToolButton, RemoveAdvToolButton, ChangeAdvToolButton,
                        RepairAdvToolButton, ModifyPropertiesAdvToolButton})
        setButtonEnabled(button, false);
}

void T_mainForm::scheduleHealthChecks() {
    ++healthGeneration_;
    healthNext_ = 0;
    PostMessageA(hwnd(), kCheckHealthMessage, healthGeneration_, 0);
}

void T_mainForm::checkHealthBatch(WPARAM generation) {
    // A refresh since this was posted rebuilt Inventory and started its own round.
    if (generation != healthGeneration_) return;
    const std::size_t end = std::min(Inventory.size(), healthNext_ + kHealthBatch);
    bool dimmed = false;
    for (; healthNext_ < end; ++healthNext_) {
        const auto id = static_cast<EntryId>(healthNext_);
        if (Inventory.listed(id).displayName().empty()) continue; // no row, nowhere to show a mark
        TAppInfo& entry = Inventory.entry(id);
        checkEntryHealth(entry, *services().shell);
        dimmed |= entry.Health.uninstallerMissing;
    }
    if (dimmed) ProgramList->redrawRows();
    if (healthNext_ < Inventory.size()) PostMessageA(hwnd(), kCheckHealthMessage, generation, 0);
}

} // namespace remvana
