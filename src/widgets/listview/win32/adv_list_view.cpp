#include "widgets/listview/win32/adv_list_view.h"

#include <windowsx.h>

#include <algorithm>
#include <limits>

#include <utility>

#include "platform/win32/canvas_gdi.h"
#include "platform/win32/code_page_win32.h"
#include "widgets/listview/list_columns.h"

namespace remvana {

namespace {

constexpr UINT_PTR kSubclassId = 0x52454D4C; // "REML"
constexpr COLORREF kListTextColor = RGB(0x08, 0x37, 0x72);
constexpr COLORREF kDimmedTextColor = RGB(0x90, 0x90, 0x90);
// An insertion index beyond every row: the control appends the row and returns its index.
constexpr int kAppendRow = std::numeric_limits<int>::max();

COLORREF colorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// A column's alignment as the list and header formats (which share their values) and as
// the text drawing flag.
struct AlignmentFlags {
    int format;
    UINT text;
};
static_assert(HDF_RIGHT == LVCFMT_RIGHT && HDF_CENTER == LVCFMT_CENTER && HDF_LEFT == LVCFMT_LEFT);

AlignmentFlags flagsOf(ColumnAlignment alignment) {
    switch (alignment) {
    case ColumnAlignment::Right:
        return {LVCFMT_RIGHT, DT_RIGHT};
    case ColumnAlignment::Center:
        return {LVCFMT_CENTER, DT_CENTER};
    case ColumnAlignment::Left:
        break;
    }
    return {LVCFMT_LEFT, DT_LEFT};
}

int CALLBACK compareByPosition(LPARAM a, LPARAM b, LPARAM model) {
    const auto& rows = *reinterpret_cast<const ListModel*>(model);
    return rows.indexOfId(static_cast<std::uint32_t>(a)) -
           rows.indexOfId(static_cast<std::uint32_t>(b));
}

} // namespace

TAdvListView::TAdvListView(Locale& locale)
    : model_(locale), selection_([this](std::uint32_t rowId, bool selected) {
          onSelectionChange(rowId, selected);
      }) {}

TAdvListView::~TAdvListView() {
    if (tips_ && IsWindow(tips_)) DestroyWindow(tips_);
    if (list_) RemoveWindowSubclass(list_, listProc, kSubclassId);
    if (header_) RemoveWindowSubclass(header_, headerProc, kSubclassId);
    if (listFont_) DeleteObject(listFont_);
    if (headerFont_) DeleteObject(headerFont_);
    if (headerHeightFont_) DeleteObject(headerHeightFont_);
    if (headerBrush_) DeleteObject(headerBrush_);
}

HWND TAdvListView::create(HWND parent, int controlId, const RECT& bounds) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    list_ = CreateWindowExA(
        0, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SINGLESEL |
            LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!list_) return nullptr;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_FLATSB,
                 LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    SendMessageA(list_, LVM_SETBKCOLOR, 0, RGB(0xFF, 0xFF, 0xFF));
    SendMessageA(list_, LVM_SETTEXTBKCOLOR, 0, RGB(0xFF, 0xFF, 0xFF));
    SendMessageA(list_, LVM_SETTEXTCOLOR, 0, kListTextColor);
    listFont_ =
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), FALSE);

    for (int i = 0; i < kListColumnCount; ++i) {
        const ListColumn& wanted = kProgramListColumns[static_cast<std::size_t>(i)];
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = flagsOf(wanted.alignment).format;
        column.cx = wanted.width;
        column.pszText = const_cast<char*>(wanted.caption);
        column.iSubItem = i;
        SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }

    header_ = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    // Flat, no hot tracking, no reordering. The button style stays: it is what makes the
    // header report clicks, and the items are drawn here without any pushed look.
    LONG_PTR headerStyle = GetWindowLongPtrA(header_, GWL_STYLE);
    headerStyle &= ~static_cast<LONG_PTR>(HDS_HOTTRACK | HDS_DRAGDROP);
    SetWindowLongPtrA(header_, GWL_STYLE, headerStyle | HDS_BUTTONS);
    headerFont_ =
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    // The header bar takes its height from its own font: a cell height of 13 pixels.
    headerHeightFont_ = CreateFontA(kHeaderFontCellHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                    DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SendMessageA(header_, WM_SETFONT, reinterpret_cast<WPARAM>(headerHeightFont_), FALSE);
    headerBrush_ = CreateSolidBrush(colorRef(kHeaderColor));

    SetWindowSubclass(list_, listProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    createRowTips();
    SetWindowSubclass(header_, headerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    remarkHeader();
    // Lay the header out again with its new font, and size column 0.
    RECT client{};
    GetClientRect(list_, &client);
    SendMessageA(list_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return list_;
}

void TAdvListView::setSmallImages(HIMAGELIST images) {
    SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void TAdvListView::clear() {
    clearing_ = true;
    selection_.reset();
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    model_.clear();
    shownById_.clear();
    clearing_ = false;
}

void TAdvListView::reserveRows(int count) {
    if (count > 0) SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

int TAdvListView::addRow(const std::string& caption, TAppInfo* data, int imageIndex,
                         std::vector<std::string> subItems) {
    const std::size_t index = model_.addRow();
    model_.setImage(index, imageIndex);
    model_.setData(index, data);
    model_.setSubItems(index, std::move(subItems));
    const std::uint32_t id = model_.row(index).id;
    shownById_.push_back(false);
    // Inside an update bracket the name sort waits, so the row stays where it was added.
    const bool sorted = model_.setCaption(index, caption);
    const ListRow& added = model_.row(static_cast<std::size_t>(model_.indexOfId(id)));
    int inserted = -1;
    if (keeps(added)) {
        // Past the last row appends without asking the control for its count first: a fill
        // of thousands of rows is spared as many messages.
        inserted = insertItem(kAppendRow, added);
        shownById_[id] = true;
    }
    if (sorted && model_.updateDepth() == 0) applyOrder();
    return inserted;
}

int TAdvListView::insertItem(int at, const ListRow& row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = at;
    // The control keeps no texts: it asks for them as it draws them (supplyCell), which
    // spares a fill of thousands of rows three messages and four text copies a row.
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = row.imageIndex;
    item.lParam = static_cast<LPARAM>(row.id);
    const int inserted =
        static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    return inserted;
}

void TAdvListView::setCaption(int index, const std::string& caption) {
    const int modelIndex = modelIndexAt(index);
    if (modelIndex < 0) return;
    if (!model_.setCaption(static_cast<std::size_t>(modelIndex), caption) ||
        model_.updateDepth() > 0)
        return;
    applyOrder();
    InvalidateRect(list_, nullptr, TRUE); // the control holds no text to change
}

int TAdvListView::rowCount() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

const ListRow& TAdvListView::row(int index) const {
    return model_.row(static_cast<std::size_t>(modelIndexAt(index)));
}

int TAdvListView::modelIndexAt(int index) const {
    if (index < 0 || index >= rowCount()) return -1;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return model_.indexOfId(static_cast<std::uint32_t>(item.lParam));
}

bool TAdvListView::setRowFilter(RowPredicate keep) {
    filter_ = std::move(keep);
    const int selectedModelRow = modelIndexAt(selectedIndex());
    bool selectionHidden = false;
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    clearing_ = true;
    // The control holds the shown rows in the model's order, so one walk over the model
    // finds where each row leaves or comes back.
    int shownAt = 0;
    for (std::size_t i = 0; i < model_.size(); ++i) {
        const ListRow& candidate = model_.row(i);
        const bool wanted = keeps(candidate);
        if (wanted != shownById_[candidate.id]) {
            if (wanted) {
                insertItem(shownAt, candidate);
            } else {
                SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(shownAt), 0);
                selectionHidden |= static_cast<int>(i) == selectedModelRow;
            }
            shownById_[candidate.id] = wanted;
        }
        if (wanted) ++shownAt;
    }
    clearing_ = false;
    if (selectionHidden) selection_.reset();
    const int selected = selectedIndex();
    if (selected >= 0) SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
    if (model_.updateDepth() == 0) {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    return selectionHidden;
}

void TAdvListView::redrawRows() {
    InvalidateRect(list_, nullptr, FALSE);
}

TAppInfo* TAdvListView::rowData(int index) const {
    const int modelIndex = modelIndexAt(index);
    return modelIndex >= 0 ? model_.row(static_cast<std::size_t>(modelIndex)).data : nullptr;
}

int TAdvListView::selectedIndex() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

void TAdvListView::selectRow(int index) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&state));
}

void TAdvListView::BeginListUpdate() {
    model_.beginUpdate();
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(header_, WM_SETREDRAW, FALSE, 0);
}

void TAdvListView::EndListUpdate() {
    if (!model_.endUpdate()) return;
    // Names set inside the bracket were sorted once, just now; the control follows.
    applyOrder();
    remarkHeader();
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    SendMessageA(header_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    InvalidateRect(header_, nullptr, TRUE);
}

int TAdvListView::columnWidth(int column) const {
    return static_cast<int>(
        SendMessageA(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void TAdvListView::setColumnWidth(int column, int width) {
    SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void TAdvListView::columnClicked(int column) {
    const HeaderClickResult result = model_.headerClick(column);
    if (result.unmarkedColumn >= 0) unmarkColumn(result.unmarkedColumn);
    if (result.sorted) {
        applyOrder();
        InvalidateRect(header_, nullptr, TRUE);
    }
    remarkHeader();
    if (OnColumnClick) OnColumnClick(*this, column);
}

bool TAdvListView::handleNotify(NMHDR* notification, LRESULT& result) {
    if (!notification || notification->hwndFrom != list_) return false;
    result = 0;
    switch (notification->code) {
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(notification);
        if (clearing_ || !(change->uChanged & LVIF_STATE)) return true;
        const SelectionChange what =
            selectionChangeOf(change->uOldState, change->uNewState, LVIS_SELECTED);
        if (change->iItem < 0) {
            // A change of every row at once: only a deselection of the selected row counts.
            if (what == SelectionChange::Deselected && selection_.selectedRow())
                selection_.rowChanged(*selection_.selectedRow(), what);
            return true;
        }
        selection_.rowChanged(static_cast<std::uint32_t>(change->lParam), what);
        return true;
    }
    case LVN_COLUMNCLICK:
        columnClicked(reinterpret_cast<const NMLISTVIEW*>(notification)->iSubItem);
        return true;
    case NM_CUSTOMDRAW:
        onCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(notification), result);
        return true;
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
        auto& item = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(notification))->item;
        supplyCell(item, notification->code == LVN_GETDISPINFOW);
        supplyRowImage(item);
        return true;
    }
    case LVN_DELETEALLITEMS:
        result = TRUE; // no LVN_DELETEITEM for each row: nothing here needs them
        return true;
    default:
        return false;
    }
}

void TAdvListView::onSelectionChange(std::uint32_t rowId, bool selected) {
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(rowId);
    const int index = static_cast<int>(SendMessageA(list_, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(&find)));
    if (index >= 0 && OnSelectItem) OnSelectItem(*this, index, selected);
}

void TAdvListView::onCustomDraw(NMLVCUSTOMDRAW& draw, LRESULT& result) {
    result = CDRF_DODEFAULT;
    if (!IsRowDimmed) return;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
    } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const int modelIndex = modelIndexAt(static_cast<int>(draw.nmcd.dwItemSpec));
        if (modelIndex >= 0 && IsRowDimmed(model_.row(static_cast<std::size_t>(modelIndex))))
            draw.clrText = kDimmedTextColor;
    }
}

void TAdvListView::createRowTips() {
    // A tooltip of the list's own rather than the list view's info tips, which not every
    // comctl32 raises in report view; the text is asked for when the tip is about to show.
    tips_ = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list_, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(list_, GWLP_HINSTANCE)), nullptr);
    if (!tips_) return;
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = list_;
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void TAdvListView::trackTipRow(LPARAM mousePosition) {
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(mousePosition), GET_Y_LPARAM(mousePosition)};
    const int item =
        static_cast<int>(SendMessageA(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item == tipRow_) return;
    // Another row: the shown tip belongs to the last one; the next one asks again.
    tipRow_ = item;
    if (tips_) SendMessageA(tips_, TTM_POP, 0, 0);
}

std::string TAdvListView::tipText() const {
    const int modelIndex = modelIndexAt(tipRow_);
    if (!RowTip || modelIndex < 0) return {};
    return RowTip(model_.row(static_cast<std::size_t>(modelIndex)));
}

void TAdvListView::onTipText(NMHDR* notification) {
    tipBuffer_ = tipText();
    if (notification->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
        info->lpszText = const_cast<char*>(tipBuffer_.c_str());
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(notification);
        wideTipBuffer_ = ansiToWide(tipBuffer_);
        info->lpszText = wideTipBuffer_.data();
    }
}

void TAdvListView::supplyCell(LVITEMA& item, bool wide) {
    if (!(item.mask & LVIF_TEXT) || item.iSubItem < 0 || !item.pszText || item.cchTextMax <= 0)
        return;
    const int index = model_.indexOfId(static_cast<std::uint32_t>(item.lParam));
    static const std::string none;
    const std::string& text =
        index < 0 ? none : model_.row(static_cast<std::size_t>(index)).text(item.iSubItem);
    if (wide) {
        // The two records agree but for the text's type.
        auto* out = reinterpret_cast<wchar_t*>(item.pszText);
        const int written = MultiByteToWideChar(
            CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out, item.cchTextMax - 1);
        out[written] = L'\0';
    } else {
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
}

void TAdvListView::supplyRowImage(LVITEMA& item) {
    if (!(item.mask & LVIF_IMAGE) || item.iSubItem != 0) return;
    const int index = model_.indexOfId(static_cast<std::uint32_t>(item.lParam));
    // The control keeps whatever the row gets, so it is asked once. It gets the generic
    // image first: should the lookup fail, the row is not asked again at every paint.
    item.mask |= LVIF_DI_SETITEM;
    item.iImage = 0;
    if (index < 0 || !OnGetRowImage) return;
    item.iImage = OnGetRowImage(*this, model_.row(static_cast<std::size_t>(index)).data);
    model_.setImage(static_cast<std::size_t>(index), item.iImage);
}

void TAdvListView::applyOrder() {
    if (model_.size() > 1)
        SendMessageA(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&model_),
                     reinterpret_cast<LPARAM>(compareByPosition));
}

void TAdvListView::remarkHeader() {
    if (!header_ || model_.updateDepth() > 0) return;
    const int count = static_cast<int>(SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(header_, HDM_GETITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        if (item.fmt & HDF_OWNERDRAW) continue;
        item.fmt |= HDF_OWNERDRAW;
        SendMessageA(header_, HDM_SETITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void TAdvListView::unmarkColumn(int column) {
    if (column < 0 || column >= kListColumnCount) return;
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING |
               flagsOf(kProgramListColumns[static_cast<std::size_t>(column)].alignment).format;
    SendMessageA(header_, HDM_SETITEMA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
}

void TAdvListView::fitNameColumn() {
    RECT client{};
    GetClientRect(list_, &client);
    setColumnWidth(0, nameColumnWidth(client.right - client.left, columnWidth(1), columnWidth(2),
                                      columnWidth(3)));
}

void TAdvListView::drawHeaderItem(const DRAWITEMSTRUCT& item) {
    const int column = static_cast<int>(item.itemID);
    if (column < 0 || column >= kListColumnCount) return;
    RECT headerClient{};
    GetClientRect(header_, &headerClient);
    const HeaderItemPaint plan = planHeaderItem(
        toRect(item.rcItem), column, kListColumnCount, model_.sortState().markedColumn,
        kProgramListColumns[static_cast<std::size_t>(column)].alignment, headerClient.right);

    const HDC dc = item.hDC;
    RECT fill = toRECT(plan.fill);
    FillRect(dc, &fill, headerBrush_);
    RECT divider{plan.dividerX, plan.fill.top, plan.dividerX + 1, plan.fill.bottom};
    fillSolid(dc, divider, colorRef(kHeaderDivider));
    if (!plan.trailingFill.empty()) {
        RECT trailing = toRECT(plan.trailingFill);
        FillRect(dc, &trailing, headerBrush_);
    }
    const HGDIOBJ oldFont = SelectObject(dc, headerFont_);
    SetBkColor(dc, colorRef(kHeaderColor));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT text = toRECT(plan.text);
    const std::string& caption = kProgramListColumns[static_cast<std::size_t>(column)].caption;
    drawProgramText(dc, caption, text,
                    DT_SINGLELINE | DT_TOP | DT_END_ELLIPSIS | DT_NOPREFIX |
                        flagsOf(plan.alignment).text);
    SelectObject(dc, oldFont);
}

void TAdvListView::fillHeaderTail(HDC dc) {
    // The header paints the area right of its last item in the button colour after the
    // items; give it the header colour like the items.
    const int count = static_cast<int>(SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0));
    RECT last{};
    RECT client{};
    GetClientRect(header_, &client);
    if (count <= 0 || !SendMessageA(header_, HDM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                                    reinterpret_cast<LPARAM>(&last)))
        return;
    RECT tail{last.right, client.top, client.right, client.bottom};
    if (tail.right > tail.left) FillRect(dc, &tail, headerBrush_);
}

void TAdvListView::onHeaderNotify(const NMHDR& notification) {
    switch (notification.code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
        tracking_ = true;
        break;
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        tracking_ = false;
        remarkHeader();
        break;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        remarkHeader();
        break;
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
        if (!tracking_) remarkHeader();
        break;
    default:
        break;
    }
}

LRESULT CALLBACK TAdvListView::listProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR selfPointer) {
    auto* self = reinterpret_cast<TAdvListView*>(selfPointer);
    switch (msg) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_HEADER && item->hwndItem == self->header_) {
            self->drawHeaderItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* notification = reinterpret_cast<NMHDR*>(lParam);
        if (notification->hwndFrom == self->tips_ &&
            (notification->code == TTN_GETDISPINFOA || notification->code == TTN_GETDISPINFOW)) {
            self->onTipText(notification);
            return 0;
        }
        if (notification->hwndFrom != self->header_) break;
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        self->onHeaderNotify(*notification);
        return result;
    }
    case WM_MOUSEMOVE:
        self->trackTipRow(lParam);
        break;
    case WM_NCDESTROY:
        // The window goes; forget it so nothing is sent to a handle that may be reused.
        RemoveWindowSubclass(hwnd, listProc, kSubclassId);
        self->list_ = nullptr;
        break;
    case WM_SIZE: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        self->fitNameColumn();
        self->remarkHeader();
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TAdvListView::headerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR selfPointer) {
    auto* self = reinterpret_cast<TAdvListView*>(selfPointer);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, headerProc, kSubclassId);
        self->header_ = nullptr;
    } else if (msg == WM_PAINT && self->model_.updateDepth() == 0) {
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        const HDC dc = GetDC(hwnd);
        self->fillHeaderTail(dc);
        ReleaseDC(hwnd, dc);
        return result;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace remvana
