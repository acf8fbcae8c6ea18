#include "widgets/listview/win32/adv_list_view.h"

#include <windowsx.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/display_scale.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/display_dpi.h"
#include "widgets/listview/list_columns.h"

namespace remvana {

namespace {

// An insertion index beyond every row: the control appends the row and returns its index.
constexpr int kAppendRow = std::numeric_limits<int>::max();

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
}

HWND TAdvListView::create(HWND parent, int controlId, const RECT& bounds) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND list = CreateWindowExA(
        0, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SINGLESEL |
            LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!list) return nullptr;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_FLATSB,
                 LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(kListBackground));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(kListBackground));
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(kListTextColor));
    dpi_ = layoutDpi(parent);
    makeFonts();
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);

    for (int i = 0; i < kListColumnCount; ++i) {
        const ListColumn& wanted = kProgramListColumns[static_cast<std::size_t>(i)];
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = flagsOf(wanted.alignment).format;
        column.cx = scaled(wanted.width, dpi_);
        column.pszText = const_cast<char*>(wanted.caption);
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }

    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    // Flat, no hot tracking, no reordering. The button style stays: it is what makes the
    // header report clicks, and the items are drawn here without any pushed look.
    LONG_PTR headerStyle = GetWindowLongPtrA(header, GWL_STYLE);
    headerStyle &= ~static_cast<LONG_PTR>(HDS_HOTTRACK | HDS_DRAGDROP);
    SetWindowLongPtrA(header, GWL_STYLE, headerStyle | HDS_BUTTONS);
    SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(headerHeightFont_.get()), FALSE);
    headerBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(kHeaderColor)));

    listHook_.attach(list, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return listMessage(msg, wParam, lParam);
    });
    createRowTips();
    headerHook_.attach(header, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return headerMessage(msg, wParam, lParam);
    });
    remarkHeader();
    // Lay the header out again with its new font, and size column 0.
    RECT client{};
    GetClientRect(list, &client);
    SendMessageA(list, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return list;
}

void TAdvListView::makeFonts() {
    listFont_.reset(createFontOf(scaledFont(kListFont, dpi_)));
    headerFont_.reset(createFontOf(scaledFont(kHeaderFont, dpi_)));
    // The header bar takes its height from its own font: a cell height of 13 pixels at 96.
    headerHeightFont_.reset(createFontOf(scaledFont(kHeaderHeightFont, dpi_)));
}

void TAdvListView::setDpi(int dpi) {
    if (dpi == dpi_) return;
    // Columns keep the share of the list they had; column 0 is refitted below.
    for (int i = 1; i < kListColumnCount; ++i)
        setColumnWidth(i, rescaled(columnWidth(i), dpi_, dpi));
    dpi_ = dpi;
    // The old fonts go only once the controls hold the new ones.
    const ScopedFont oldList = std::move(listFont_);
    const ScopedFont oldHeader = std::move(headerFont_);
    const ScopedFont oldHeight = std::move(headerHeightFont_);
    makeFonts();
    SendMessageA(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    SendMessageA(header(), WM_SETFONT, reinterpret_cast<WPARAM>(headerHeightFont_.get()), FALSE);
    // Lay the header out again with its new font, and refit column 0.
    RECT client{};
    GetClientRect(handle(), &client);
    SendMessageA(handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    InvalidateRect(handle(), nullptr, TRUE);
}

void TAdvListView::forgetRowImages() {
    for (std::size_t i = 0; i < model_.size(); ++i)
        model_.setImage(i, I_IMAGECALLBACK);
    const int count = rowCount();
    for (int i = 0; i < count; ++i) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        item.iImage = I_IMAGECALLBACK;
        SendMessageA(handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    InvalidateRect(handle(), nullptr, TRUE);
}

void TAdvListView::setSmallImages(HIMAGELIST images) {
    SendMessageA(handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void TAdvListView::clear() {
    clearing_ = true;
    selection_.reset();
    SendMessageA(handle(), LVM_DELETEALLITEMS, 0, 0);
    model_.clear();
    shownById_.clear();
    clearing_ = false;
}

void TAdvListView::reserveRows(int count) {
    if (count > 0) SendMessageA(handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
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
    const int inserted = static_cast<int>(
        SendMessageA(handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    return inserted;
}

void TAdvListView::setCaption(int index, const std::string& caption) {
    const int modelIndex = modelIndexAt(index);
    if (modelIndex < 0) return;
    if (!model_.setCaption(static_cast<std::size_t>(modelIndex), caption) ||
        model_.updateDepth() > 0)
        return;
    applyOrder();
    InvalidateRect(handle(), nullptr, TRUE); // the control holds no text to change
}

int TAdvListView::rowCount() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETITEMCOUNT, 0, 0));
}

const ListRow& TAdvListView::row(int index) const {
    return model_.row(static_cast<std::size_t>(modelIndexAt(index)));
}

int TAdvListView::modelIndexAt(int index) const {
    if (index < 0 || index >= rowCount()) return -1;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return model_.indexOfId(static_cast<std::uint32_t>(item.lParam));
}

bool TAdvListView::setRowFilter(RowPredicate keep) {
    filter_ = std::move(keep);
    const int selectedModelRow = modelIndexAt(selectedIndex());
    bool selectionHidden = false;
    SendMessageA(handle(), WM_SETREDRAW, FALSE, 0);
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
                SendMessageA(handle(), LVM_DELETEITEM, static_cast<WPARAM>(shownAt), 0);
                selectionHidden |= static_cast<int>(i) == selectedModelRow;
            }
            shownById_[candidate.id] = wanted;
        }
        if (wanted) ++shownAt;
    }
    clearing_ = false;
    if (selectionHidden) selection_.reset();
    const int selected = selectedIndex();
    if (selected >= 0)
        SendMessageA(handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
    if (model_.updateDepth() == 0) {
        SendMessageA(handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(handle(), nullptr, TRUE);
    }
    return selectionHidden;
}

void TAdvListView::redrawRows() {
    InvalidateRect(handle(), nullptr, FALSE);
}

TAppInfo* TAdvListView::rowData(int index) const {
    const int modelIndex = modelIndexAt(index);
    return modelIndex >= 0 ? model_.row(static_cast<std::size_t>(modelIndex)).data : nullptr;
}

int TAdvListView::selectedIndex() const {
    return static_cast<int>(SendMessageA(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

void TAdvListView::selectRow(int index) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&state));
}

void TAdvListView::BeginListUpdate() {
    model_.beginUpdate();
    SendMessageA(handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(header(), WM_SETREDRAW, FALSE, 0);
}

void TAdvListView::EndListUpdate() {
    if (!model_.endUpdate()) return;
    // Names set inside the bracket were sorted once, just now; the control follows.
    applyOrder();
    remarkHeader();
    SendMessageA(handle(), WM_SETREDRAW, TRUE, 0);
    SendMessageA(header(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
    InvalidateRect(header(), nullptr, TRUE);
}

int TAdvListView::columnWidth(int column) const {
    return static_cast<int>(
        SendMessageA(handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void TAdvListView::setColumnWidth(int column, int width) {
    SendMessageA(handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void TAdvListView::columnClicked(int column) {
    const HeaderClickResult result = model_.headerClick(column);
    if (result.unmarkedColumn >= 0) unmarkColumn(result.unmarkedColumn);
    if (result.sorted) {
        applyOrder();
        InvalidateRect(header(), nullptr, TRUE);
    }
    remarkHeader();
    if (OnColumnClick) OnColumnClick(*this, column);
}

bool TAdvListView::handleNotify(NMHDR* notification, LRESULT& result) {
    if (!notification || notification->hwndFrom != handle()) return false;
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
    const int index = static_cast<int>(SendMessageA(
        handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
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
            draw.clrText = static_cast<COLORREF>(kDimmedTextColor);
    }
}

void TAdvListView::createRowTips() {
    // A tooltip of the list's own rather than the list view's info tips, which not every
    // comctl32 raises in report view; the text is asked for when the tip is about to show.
    tips_ = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle(), nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(handle(), GWLP_HINSTANCE)), nullptr);
    if (!tips_) return;
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle();
    tool.uId = reinterpret_cast<UINT_PTR>(handle());
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void TAdvListView::trackTipRow(LPARAM mousePosition) {
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(mousePosition), GET_Y_LPARAM(mousePosition)};
    const int item =
        static_cast<int>(SendMessageA(handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
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
        // The two records agree but for the text's type. A text longer than the buffer is
        // cut short, as the narrow copy cuts it (converting into too small a buffer fails
        // and would leave the cell empty).
        lstrcpynW(reinterpret_cast<wchar_t*>(item.pszText), ansiToWide(text).c_str(),
                  item.cchTextMax);
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
        SendMessageA(handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&model_),
                     reinterpret_cast<LPARAM>(compareByPosition));
}

void TAdvListView::remarkHeader() {
    if (!header() || model_.updateDepth() > 0) return;
    const int count = static_cast<int>(SendMessageA(header(), HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(header(), HDM_GETITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        if (item.fmt & HDF_OWNERDRAW) continue;
        item.fmt |= HDF_OWNERDRAW;
        SendMessageA(header(), HDM_SETITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void TAdvListView::unmarkColumn(int column) {
    if (column < 0 || column >= kListColumnCount) return;
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING |
               flagsOf(kProgramListColumns[static_cast<std::size_t>(column)].alignment).format;
    SendMessageA(header(), HDM_SETITEMA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
}

void TAdvListView::fitNameColumn() {
    RECT client{};
    GetClientRect(handle(), &client);
    setColumnWidth(0, nameColumnWidth(client.right - client.left, columnWidth(1), columnWidth(2),
                                      columnWidth(3)));
}

void TAdvListView::drawHeaderItem(const DRAWITEMSTRUCT& item) {
    const int column = static_cast<int>(item.itemID);
    if (column < 0 || column >= kListColumnCount) return;
    RECT headerClient{};
    GetClientRect(header(), &headerClient);
    const HeaderItemPaint plan = planHeaderItem(
        toRect(item.rcItem), column, kListColumnCount, model_.sortState().markedColumn,
        kProgramListColumns[static_cast<std::size_t>(column)].alignment, headerClient.right, dpi_);

    const HDC dc = item.hDC;
    RECT fill = toRECT(plan.fill);
    FillRect(dc, &fill, headerBrush_.get());
    RECT divider{plan.dividerX, plan.fill.top, plan.dividerX + 1, plan.fill.bottom};
    fillSolid(dc, divider, static_cast<COLORREF>(kHeaderDivider));
    if (!plan.trailingFill.empty()) {
        RECT trailing = toRECT(plan.trailingFill);
        FillRect(dc, &trailing, headerBrush_.get());
    }
    const SelectedObject font(dc, headerFont_.get());
    SetBkColor(dc, static_cast<COLORREF>(kHeaderColor));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT text = toRECT(plan.text);
    const std::string& caption = kProgramListColumns[static_cast<std::size_t>(column)].caption;
    drawProgramText(dc, caption, text,
                    DT_SINGLELINE | DT_TOP | DT_END_ELLIPSIS | DT_NOPREFIX |
                        flagsOf(plan.alignment).text);
}

void TAdvListView::fillHeaderTail(HDC dc) {
    // The header paints the area right of its last item in the button colour after the
    // items; give it the header colour like the items.
    const int count = static_cast<int>(SendMessageA(header(), HDM_GETITEMCOUNT, 0, 0));
    RECT last{};
    RECT client{};
    GetClientRect(header(), &client);
    if (count <= 0 || !SendMessageA(header(), HDM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                                    reinterpret_cast<LPARAM>(&last)))
        return;
    RECT tail{last.right, client.top, client.right, client.bottom};
    if (tail.right > tail.left) FillRect(dc, &tail, headerBrush_.get());
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

LRESULT TAdvListView::listMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_HEADER && item->hwndItem == header()) {
            drawHeaderItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* notification = reinterpret_cast<NMHDR*>(lParam);
        if (notification->hwndFrom == tips_ &&
            (notification->code == TTN_GETDISPINFOA || notification->code == TTN_GETDISPINFOW)) {
            onTipText(notification);
            return 0;
        }
        if (notification->hwndFrom != header()) break;
        const LRESULT result = listHook_.callNext(msg, wParam, lParam);
        onHeaderNotify(*notification);
        return result;
    }
    case WM_MOUSEMOVE:
        trackTipRow(lParam);
        break;
    case WM_SIZE: {
        const LRESULT result = listHook_.callNext(msg, wParam, lParam);
        fitNameColumn();
        remarkHeader();
        return result;
    }
    default:
        break;
    }
    return listHook_.callNext(msg, wParam, lParam);
}

LRESULT TAdvListView::headerMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT && model_.updateDepth() == 0) {
        const LRESULT result = headerHook_.callNext(msg, wParam, lParam);
        ClientDc dc(header());
        fillHeaderTail(dc.get());
        return result;
    }
    return headerHook_.callNext(msg, wParam, lParam);
}

} // namespace remvana
