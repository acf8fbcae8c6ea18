#include "widgets/listview/win32/list_header.h"

#include <utility>

#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

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

void ListHeader::attach(HWND header, int dpi) {
    dpi_ = dpi;
    // Flat, no hot tracking; columns can be dragged to another place (the list refuses a
    // drag to or from the name column's). The button style stays: it is what makes the
    // header report clicks, and the items are drawn here without any pushed look.
    LONG_PTR style = GetWindowLongPtrA(header, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(HDS_HOTTRACK);
    SetWindowLongPtrA(header, GWL_STYLE, style | HDS_BUTTONS | HDS_DRAGDROP);
    SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(heightFont()), FALSE);
    setColors(colors_);
    hook_.attach(header, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return message(msg, wParam, lParam);
    });
    markItemsOwnerDrawn();
}

HFONT ListHeader::heightFont() const {
    // The header bar takes its height from its own font: a cell height of 13 pixels at 96.
    return fontAtDpi(kHeaderHeightFont, dpi_);
}

void ListHeader::setDpi(int dpi) {
    dpi_ = dpi;
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(heightFont()), FALSE);
}

void ListHeader::setColors(const ListColors& colors) {
    colors_ = colors;
    brush_.reset(CreateSolidBrush(toColorRef(colors_.header)));
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListHeader::markItemsOwnerDrawn() {
    if (!hwnd() || model_.updateDepth() > 0) return;
    const int count = static_cast<int>(SendMessageA(hwnd(), HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(hwnd(), HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (item.fmt & HDF_OWNERDRAW) continue;
        item.fmt |= HDF_OWNERDRAW;
        SendMessageA(hwnd(), HDM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void ListHeader::unmarkColumn(int text) {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].text != text) continue;
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        item.fmt = HDF_STRING | flagsOf(columns_[i].alignment).format;
        SendMessageA(hwnd(), HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

bool ListHeader::draw(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_HEADER || item.hwndItem != hwnd()) return false;
    const auto index = static_cast<std::size_t>(item.itemID);
    if (index >= columns_.size()) return true;
    const ShownListColumn& column = columns_[index];
    // Painting goes by the place the item is shown at, which a drag may have changed.
    HDITEMA order{};
    order.mask = HDI_ORDER;
    SendMessageA(hwnd(), HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&order));
    const int place = order.iOrder;
    const int count = static_cast<int>(columns_.size());
    RECT headerClient{};
    GetClientRect(hwnd(), &headerClient);
    const HeaderItemPaint plan =
        planHeaderItem(toRect(item.rcItem), place, count,
                       column.text == model_.sortState().markedColumn ? place : -2,
                       column.alignment, headerClient.right, dpi_);

    const HDC dc = item.hDC;
    RECT fill = toRECT(plan.fill);
    FillRect(dc, &fill, brush_.get());
    RECT divider{plan.dividerX, plan.fill.top, plan.dividerX + 1, plan.fill.bottom};
    fillSolid(dc, divider, toColorRef(colors_.headerDivider));
    if (!plan.trailingFill.empty()) {
        RECT trailing = toRECT(plan.trailingFill);
        FillRect(dc, &trailing, brush_.get());
    }
    const SelectedObject font(dc, fontAtDpi(kHeaderFont, dpi_));
    SetBkColor(dc, toColorRef(colors_.header));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, toColorRef(colors_.headerText));
    RECT text = toRECT(plan.text);
    drawProgramText(dc, column.caption, text,
                    DT_SINGLELINE | DT_TOP | DT_END_ELLIPSIS | DT_NOPREFIX |
                        flagsOf(plan.alignment).text);
    return true;
}

void ListHeader::fillTail(HDC dc) {
    // The header paints the area right of its last item in the button colour after the
    // items; give it the header colour like the items.
    const int count = static_cast<int>(SendMessageA(hwnd(), HDM_GETITEMCOUNT, 0, 0));
    RECT last{};
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (count <= 0) return;
    const auto shownLast =
        SendMessageA(hwnd(), HDM_ORDERTOINDEX, static_cast<WPARAM>(count - 1), 0);
    if (!SendMessageA(hwnd(), HDM_GETITEMRECT, static_cast<WPARAM>(shownLast),
                      reinterpret_cast<LPARAM>(&last)))
        return;
    RECT tail{last.right, client.top, client.right, client.bottom};
    if (tail.right > tail.left) FillRect(dc, &tail, brush_.get());
}

void ListHeader::notified(const NMHDR& notification) {
    switch (notification.code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
        tracking_ = true;
        break;
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        tracking_ = false;
        markItemsOwnerDrawn();
        break;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        markItemsOwnerDrawn();
        break;
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
        if (!tracking_) markItemsOwnerDrawn();
        break;
    default:
        break;
    }
}

LRESULT ListHeader::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT && model_.updateDepth() == 0) {
        const LRESULT result = hook_.callNext(msg, wParam, lParam);
        ClientDc dc(hwnd());
        fillTail(dc.get());
        return result;
    }
    return hook_.callNext(msg, wParam, lParam);
}

} // namespace remvana
