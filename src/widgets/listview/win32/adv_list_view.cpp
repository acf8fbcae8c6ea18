#include "widgets/listview/win32/adv_list_view.h"

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

int CALLBACK compareByPosition(LPARAM a, LPARAM b, LPARAM model) {
    const auto& rows = *reinterpret_cast<const ListModel*>(model);
    return rows.indexOfId(static_cast<std::uint32_t>(a)) -
           rows.indexOfId(static_cast<std::uint32_t>(b));
}

} // namespace

TAdvListView::TAdvListView(Locale& locale)
    : model_(locale), selection_([this](std::uint32_t rowId, bool selected) {
          onSelectionChange(rowId, selected);
      }),
      header_(model_, columns_), tips_([this](int row) { return tipOfRow(row); }) {}

TAdvListView::~TAdvListView() = default;

HWND TAdvListView::create(HWND parent, int controlId, const RECT& bounds) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND list = CreateWindowExA(
        0, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT |
            (several_ ? 0 : LVS_SINGLESEL) | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!list) return nullptr;
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_HEADERDRAGDROP;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    dpi_ = layoutDpi(parent);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(fontAtDpi(kListFont, dpi_)), FALSE);

    listHook_.attach(list, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return listMessage(msg, wParam, lParam);
    });
    tips_.create(list);
    for (int i = 0; i < kListColumnCount; ++i) {
        const ListColumn& standard = kProgramListColumns[static_cast<std::size_t>(i)];
        columns_.push_back({i, standard.caption, standard.alignment, scaled(standard.width, dpi_)});
        insertColumn(i, columns_.back());
    }
    header_.attach(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), dpi_);
    applyColors();
    // Lay the header out again with its new font, and size column 0.
    RECT client{};
    GetClientRect(list, &client);
    SendMessageA(list, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return list;
}

void TAdvListView::setDpi(int dpi) {
    if (dpi == dpi_) return;
    // Columns keep the share of the list they had; column 0 is refitted below.
    for (int i = 1; i < static_cast<int>(columns_.size()); ++i)
        setColumnWidth(i, rescaled(columnWidth(i), dpi_, dpi));
    dpi_ = dpi;
    SendMessageA(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(fontAtDpi(kListFont, dpi_)), FALSE);
    header_.setDpi(dpi_);
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

int TAdvListView::addRow(const std::string& caption, std::uint32_t entryId, int imageIndex,
                         std::vector<std::string> subItems) {
    const std::size_t index = model_.addRow();
    model_.setImage(index, imageIndex);
    model_.setEntryId(index, entryId);
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
    std::vector<bool> selectedModelRows(model_.size(), false);
    for (int shown : selectedIndices())
        if (const int at = modelIndexAt(shown); at >= 0)
            selectedModelRows[static_cast<std::size_t>(at)] = true;
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
                selectionHidden |= selectedModelRows[i];
            }
            shownById_[candidate.id] = wanted;
        }
        if (wanted) ++shownAt;
    }
    // Part of a selection of several is no selection to act on: all of it goes.
    if (selectionHidden && several_) setAllRowsSelected(false);
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

std::optional<std::uint32_t> TAdvListView::rowEntryId(int index) const {
    const int modelIndex = modelIndexAt(index);
    if (modelIndex < 0) return std::nullopt;
    return model_.row(static_cast<std::size_t>(modelIndex)).entryId;
}

void TAdvListView::BeginListUpdate() {
    model_.beginUpdate();
    SendMessageA(handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(header(), WM_SETREDRAW, FALSE, 0);
}

void TAdvListView::EndListUpdate() {
    if (model_.endUpdate()) showUpdateEnded();
}

void TAdvListView::EndListUpdateAndSortAgain() {
    if (model_.endUpdateAndSortAgain(sortColumnOrder())) {
        showUpdateEnded();
        return;
    }
    applyOrder();
    InvalidateRect(handle(), nullptr, FALSE);
}

void TAdvListView::showUpdateEnded() {
    // Names set inside the bracket were sorted once, just now; the control follows.
    applyOrder();
    header_.markItemsOwnerDrawn();
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
    if (column < 0 || column >= static_cast<int>(columns_.size())) return;
    const int text = columns_[static_cast<std::size_t>(column)].text;
    // Every text a row carries is a column the list can sort by.
    const HeaderClickResult result = model_.headerClick(
        text, std::numeric_limits<int>::max(), OnGetRowOrder ? OnGetRowOrder(text) : RowOrder());
    if (result.unmarkedColumn >= 0) header_.unmarkColumn(result.unmarkedColumn);
    if (result.sorted) {
        applyOrder();
        InvalidateRect(header(), nullptr, TRUE);
    }
    header_.markItemsOwnerDrawn();
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
            // A change of every row at once: a deselection of what was selected, or (with
            // several allowed) the selection of every shown row.
            if (what == SelectionChange::Deselected) selection_.allDeselected();
            if (what == SelectionChange::Selected && several_)
                for (int i = 0, count = rowCount(); i < count; ++i)
                    if (const int at = modelIndexAt(i); at >= 0)
                        selection_.rowChanged(model_.row(static_cast<std::size_t>(at)).id, what);
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

std::string TAdvListView::tipOfRow(int index) const {
    const int modelIndex = modelIndexAt(index);
    if (!RowTip || modelIndex < 0) return {};
    return RowTip(model_.row(static_cast<std::size_t>(modelIndex)));
}

void TAdvListView::supplyCell(LVITEMA& item, bool wide) {
    if (!(item.mask & LVIF_TEXT) || item.iSubItem < 0 || !item.pszText || item.cchTextMax <= 0)
        return;
    const int index = model_.indexOfId(static_cast<std::uint32_t>(item.lParam));
    static const std::string none;
    // The control asks by the column's index, whatever sub-item the column was given.
    const auto column = static_cast<std::size_t>(item.iSubItem);
    const std::string& text =
        index < 0 || column >= columns_.size()
            ? none
            : model_.row(static_cast<std::size_t>(index)).text(columns_[column].text);
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
    item.iImage = OnGetRowImage(*this, model_.row(static_cast<std::size_t>(index)).entryId);
    model_.setImage(static_cast<std::size_t>(index), item.iImage);
}

void TAdvListView::applyOrder() {
    if (model_.size() > 1)
        SendMessageA(handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&model_),
                     reinterpret_cast<LPARAM>(compareByPosition));
}

void TAdvListView::fitNameColumn() {
    RECT client{};
    GetClientRect(handle(), &client);
    std::vector<int> others;
    for (int i = 1; i < static_cast<int>(columns_.size()); ++i)
        others.push_back(columnWidth(i));
    setColumnWidth(0, nameColumnWidth(client.right - client.left, others));
}

LRESULT TAdvListView::listMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWITEM:
        if (header_.draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_NOTIFY: {
        auto* notification = reinterpret_cast<NMHDR*>(lParam);
        if (tips_.answer(notification)) return 0;
        if (notification->hwndFrom != header()) break;
        if (LRESULT answer = 0; headerNotifying(*notification, answer)) return answer;
        const LRESULT result = listHook_.callNext(msg, wParam, lParam);
        header_.notified(*notification);
        return result;
    }
    case WM_MOUSEMOVE:
        tips_.mouseMoved(lParam);
        break;
    case WM_KEYDOWN:
        // The list control has no key of its own to select everything.
        if (wParam == 'A' && several_ && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
            selectAll();
            return 0;
        }
        if (selectFocusedRow(wParam)) return 0;
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: {
        // High contrast may have come or gone, or the system colours it uses changed.
        const LRESULT result = listHook_.callNext(msg, wParam, lParam);
        applyColors();
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = listHook_.callNext(msg, wParam, lParam);
        fitNameColumn();
        header_.markItemsOwnerDrawn();
        return result;
    }
    default:
        if (msg == columnsChangedMessage()) {
            if (OnColumnsChanged) OnColumnsChanged(*this);
            return 0;
        }
        break;
    }
    return listHook_.callNext(msg, wParam, lParam);
}

} // namespace remvana
