#include "app/win32/program_list_columns.h"

#include <memory>
#include <unordered_map>

#include "app/column_settings.h"
#include "app/win32/application.h"
#include "inventory/column_order.h"

namespace remvana {

namespace {

// A row's texts are its caption and then every other column in the table's order, so a
// column's number is the number of the text it shows.
int textOf(ProgramColumn column) {
    return static_cast<int>(column);
}

std::vector<ShownListColumn> shownColumnsOf(const ColumnLayout& layout, int dpi) {
    std::vector<ShownListColumn> columns;
    for (const ShownColumn& shown : layout.shown()) {
        const ProgramColumnSpec& spec = specOf(shown.column);
        columns.push_back({textOf(shown.column), spec.caption,
                           spec.rightAligned ? ColumnAlignment::Right : ColumnAlignment::Left,
                           layout.widthAt(shown.column, dpi)});
    }
    return columns;
}

constexpr UINT kFirstColumnCommand = 1;

} // namespace

ProgramListColumns::ProgramListColumns(TAdvListView& list, ProgramInventory& inventory,
                                       RegistryFactory& registry, Locale& locale)
    : list_(list), inventory_(inventory), registry_(registry), locale_(locale),
      layout_(readColumnLayout(registry)) {
    list_.OnHeaderMenu = [this](TAdvListView&, POINT at) { showMenu(at); };
    list_.OnColumnsChanged = [this](TAdvListView&) { columnsChanged(); };
    list_.OnGetRowOrder = [this](int text) { return orderOf(text); };
    apply();
}

ProgramListColumns::~ProgramListColumns() {
    list_.OnHeaderMenu = nullptr;
    list_.OnColumnsChanged = nullptr;
    list_.OnGetRowOrder = nullptr;
}

void ProgramListColumns::apply() {
    list_.setColumns(shownColumnsOf(layout_, list_.dpi()));
}

void ProgramListColumns::showMenu(POINT at) {
    const HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (const ColumnMenuItem& item : columnMenuOf(layout_))
        AppendMenuA(menu,
                    MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED) |
                        (item.enabled ? MF_ENABLED : MF_GRAYED),
                    kFirstColumnCommand + static_cast<UINT>(item.column), item.caption);
    const HWND owner = GetParent(list_.handle());
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    DestroyMenu(menu);
    if (chosen < kFirstColumnCommand || chosen >= kFirstColumnCommand + kProgramColumns.size())
        return;
    // Widths the user set since the last change are kept before the columns are made anew.
    columnsChanged();
    if (!layout_.toggle(static_cast<ProgramColumn>(chosen - kFirstColumnCommand))) return;
    apply();
    save();
}

void ProgramListColumns::columnsChanged() {
    const std::vector<ShownListColumn> shown = list_.columnsAsShown();
    std::vector<ProgramColumn> order;
    for (const ShownListColumn& column : shown)
        order.push_back(static_cast<ProgramColumn>(column.text));
    ColumnLayout changed = layout_;
    if (!changed.reorder(order)) {
        apply(); // an order the list cannot have: show the kept one again
        return;
    }
    // The name column's width is whatever the others leave; only theirs are the user's.
    for (const ShownListColumn& column : shown)
        if (column.text != textOf(ProgramColumn::Name))
            changed.setWidthAt(static_cast<ProgramColumn>(column.text), column.width, list_.dpi());
    if (changed == layout_) return;
    layout_ = std::move(changed);
    save();
}

void ProgramListColumns::save() {
    Application.guarded([this] { saveColumnLayout(registry_, layout_); });
}

RowOrder ProgramListColumns::orderOf(int text) {
    if (text < 0 || text >= static_cast<int>(kProgramColumns.size())) return {};
    const auto column = static_cast<ProgramColumn>(text);
    // Each row's key is worked out once per sort, not at every comparison.
    auto keys = std::make_shared<std::unordered_map<std::uint32_t, CellSortKey>>();
    const auto keyOf = [this, column, keys](const ListRow& row) -> const CellSortKey& {
        auto found = keys->find(row.entryId);
        if (found == keys->end())
            found =
                keys->emplace(row.entryId, inventory_.holds(row.entryId)
                                               ? cellSortKey(column, inventory_.listed(row.entryId))
                                               : CellSortKey{})
                    .first;
        return found->second;
    };
    return [this, column, keyOf](const ListRow& a, const ListRow& b, SortDirection direction) {
        return cellSortsBefore(column, keyOf(a), keyOf(b), direction == SortDirection::Descending,
                               locale_);
    };
}

} // namespace remvana
