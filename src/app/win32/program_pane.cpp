#include "app/win32/program_pane.h"

#include <algorithm>
#include <chrono>

#include "app/filter_keys.h"
#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/scaled_layout.h"
#include "app/win32/application.h"
#include "app/win32/gdi_util.h"
#include "app/win32/list_view_sink.h"
#include "app/win32/panel_control.h"
#include "app/win32/program_list_columns.h"
#include "app/win32/res/resource.h"
#include "app/win32/window_util.h"
#include "details/details_markup.h"
#include "inventory/entry_health.h"
#include "inventory/program_filter.h"
#include "inventory/reading_slices.h"
#include "inventory/store_changes.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/display_dpi.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

namespace {

using namespace layout;

// Well under the 100 ms a key may wait, and long enough that posting the next slice costs
// nothing that shows.
constexpr std::int64_t kReadingSliceMicros = 8000;

std::int64_t steadyMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Keys and clicks that came during a slice: posted messages are taken before input, so the
// next slice, posted at once, would keep them waiting until the whole reading is over.
bool inputWaiting() {
    return (HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) != 0;
}

bool uninstallerMissingIn(const ListRow& row) {
    return Inventory.holds(row.entryId) &&
           Inventory.listed(row.entryId).health().uninstallerMissing;
}

HFONT filterFont(int dpi) {
    return fontAtDpi(kParamLabelFont, dpi);
}

} // namespace

ProgramPane::ProgramPane() = default;
ProgramPane::~ProgramPane() = default;

void ProgramPane::create(HWND parent, const Rect& rect, HWND window, HINSTANCE instance,
                         const FormServices& services) {
    window_ = window;
    instance_ = instance;
    services_ = services;
    dpi_ = layoutDpi(parent);
    panel_ = createPlainPanel(parent, kLeftPanelId, rect);
    createImages();
    // Tab goes through the pane's controls in the order they were made: the box above the
    // list first.
    createFilter();
    createList();
    reading_ = std::make_unique<ReadingInSlices>(Inventory, *services_.shell, steadyMicros);
}

void ProgramPane::createImages() {
    // Images at the size that fits the scale, each loaded at that size from its icon.
    const int size = creationLayout(dpi_).smallImageSize;
    rowImages_.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, kSmallImageGrowBy));
    addIconResource(rowImages_.get(), instance_, IDI_DEFAULT_PROGRAM, size);
}

void ProgramPane::createList() {
    list_ = std::make_unique<TAdvListView>(*services_.locale);
    const Rect place = listPaneFit(clientSizeOf(panel_), dpi_).list;
    list_->allowSeveralSelected();
    listWindow_ = list_->create(panel_, kListViewId, toRECT(place));
    list_->setSmallImages(rowImages_.get());
    icons_ = std::make_unique<ProgramListIcons>(*list_, rowImages_.get(), Inventory,
                                                *services_.shell, *services_.registry);
    columns_ = std::make_unique<ProgramListColumns>(*list_, Inventory, *services_.registry,
                                                    *services_.locale);
    list_->OnSelectItem = [this](TAdvListView&, int item, bool selected) {
        if (OnSelectItem) OnSelectItem(item, selected);
    };
    list_->OnColumnClick = [this](TAdvListView&, int column) {
        if (OnColumnClick) OnColumnClick(column);
    };
    list_->IsRowDimmed = uninstallerMissingIn;
    list_->RowTip = [](const ListRow& row) {
        return uninstallerMissingIn(row) ? std::string(kUninstallerMissingText) : std::string();
    };
}

void ProgramPane::createFilter() {
    const Rect box = listPaneFit(clientSizeOf(panel_), dpi_).filterEdit;
    filter_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, box.left,
        box.top, box.width(), box.height(), panel_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFilterEditId)), instance_, nullptr);
    SendMessageA(filter_, WM_SETFONT, reinterpret_cast<WPARAM>(filterFont(dpi_)), FALSE);
    const std::wstring cue = ansiToWide(kFilterCueText);
    // Shown while the box is empty, focused or not.
    SendMessageA(filter_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
}

void ProgramPane::layout(const Rect& rect, int dpi) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        SendMessageA(filter_, WM_SETFONT, reinterpret_cast<WPARAM>(filterFont(dpi_)), TRUE);
        // The rows' icons are extracted again at the new size; the old images go once the
        // list holds the new ones.
        ScopedImageList old = std::move(rowImages_);
        createImages();
        icons_->useImages(rowImages_.get());
        list_->setDpi(dpi_);
    }
    moveChild(panel_, rect);
    const ListPaneFit fit = listPaneFit(clientSizeOf(panel_), dpi_);
    moveChild(filter_, fit.filterEdit);
    // The list fits its name column to every new size itself.
    moveChild(listWindow_, fit.list);
}

bool ProgramPane::command(int id, int code, HWND control) {
    if (id != kFilterEditId || code != EN_CHANGE || control != filter_) return false;
    FilterEditChange(control);
    return true;
}

bool ProgramPane::notify(NMHDR* header, LRESULT& result) {
    if (header->hwndFrom != listWindow_ || !list_) return false;
    result = 0;
    list_->handleNotify(header, result);
    return true;
}

void ProgramPane::FilterEditChange(HWND) {
    char text[256] = {};
    GetWindowTextA(filter_, text, sizeof text);
    if (filterText_ == text) return;
    filterText_ = text;
    const bool dropped = list_->setRowFilter(rowFilter());
    if (OnFilterChanged) OnFilterChanged(dropped);
}

std::function<bool(const ListRow&)> ProgramPane::rowFilter() const {
    if (filterText_.empty()) return {};
    return [wanted = filterText_](const ListRow& row) {
        return Inventory.holds(row.entryId) &&
               matchesProgramFilter(Inventory.listed(row.entryId), wanted);
    };
}

bool ProgramPane::filterShortcut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !filter_) return false;
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool inFilterOrList = msg.hwnd == filter_ || msg.hwnd == listWindow_;
    switch (filterKeyAction(static_cast<int>(msg.wParam), ctrl, inFilterOrList)) {
    case FilterKeyAction::FocusFilter:
        SetFocus(filter_);
        SendMessageA(filter_, EM_SETSEL, 0, -1);
        return true;
    case FilterKeyAction::ClearFilter:
        SetWindowTextA(filter_, ""); // the change notification refilters
        return true;
    case FilterKeyAction::None:
        break;
    }
    return false;
}

TAppInfo* ProgramPane::rowAppInfo(int item) {
    const std::optional<std::uint32_t> id = list_ ? list_->rowEntryId(item) : std::nullopt;
    return id && Inventory.holds(*id) ? &Inventory.entry(*id) : nullptr;
}

TAppInfo* ProgramPane::selectedAppInfo() {
    if (!list_ || list_->selectedCount() > 1) return nullptr;
    return rowAppInfo(list_->selectedIndex());
}

std::vector<TAppInfo*> ProgramPane::selectedAppInfos() {
    std::vector<TAppInfo*> entries;
    if (list_)
        for (int index : list_->selectedIndices())
            if (TAppInfo* entry = rowAppInfo(index)) entries.push_back(entry);
    return entries;
}

int ProgramPane::selectedCount() const {
    return list_ ? list_->selectedCount() : 0;
}

void ProgramPane::setSelectedCaption(const std::string& caption) {
    list_->setCaption(list_->selectedIndex(), caption);
}

void ProgramPane::setSelectedRowTexts(const std::vector<std::string>& texts) {
    list_->setRowTexts(list_->selectedIndex(), texts);
}

void ProgramPane::clearRows() {
    icons_->clearRows();
}

int ProgramPane::fill(const std::function<void(int panel, const std::string& text)>& setStatus,
                      const ListFillServices& services) {
    ListViewSink sink(*list_, setStatus);
    return FillProgramList(Inventory, sink, services);
}

void ProgramPane::followChanges(const InventoryChanges& changes, const ListFillServices& services) {
    const std::optional<std::uint32_t> topEntry = list_->rowEntryId(list_->topIndex());
    ListViewSink sink(*list_, {});
    followInventoryChanges(Inventory, changes, sink, services);
    // A changed entry may match the filter now, or no longer.
    const bool dropped = !filterText_.empty() && list_->setRowFilter(rowFilter());
    if (topEntry) list_->scrollToTop(list_->shownIndexOfEntry(*topEntry));
    if (dropped && OnFilterChanged) OnFilterChanged(true);
    // The entries the update read, and whatever the last reading had not reached (their
    // places moved with the update), are read whole and checked in slices too.
    startReading();
}

std::optional<EntryId> ProgramPane::selectedEntryId() const {
    return list_ ? list_->rowEntryId(list_->selectedIndex()) : std::nullopt;
}

std::string ProgramPane::countText() const {
    return programCountText(list_->rowCount(), list_->totalRowCount(), !filterText_.empty());
}

void ProgramPane::startReading() {
    PostMessageA(window_, kReadingSliceMessage, static_cast<WPARAM>(reading_->start()), 0);
}

void ProgramPane::continueReading(WPARAM generation) {
    ReadingInSlices::Slice slice;
    Application.guarded([&] { slice = reading_->run(generation, kReadingSliceMicros); });
    if (slice.dimmed) list_->redrawRows();
    if (!slice.more) return;
    // Whatever that input does (a refresh starts a new reading, whose generation stops this
    // one) is done before the next slice is posted.
    if (inputWaiting()) Application.takePendingInput();
    if (IsWindow(window_)) PostMessageA(window_, kReadingSliceMessage, generation, 0);
}

void ProgramPane::stopReading() {
    reading_->stop();
}

bool ProgramPane::readingDone() const {
    return !reading_ || reading_->done();
}

} // namespace remvana
