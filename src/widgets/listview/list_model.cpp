#include "widgets/listview/list_model.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace remvana {

namespace {
const std::string kEmpty;

// The same order as one stable sort of all the rows. A list that follows the stores is
// sorted again after a row or two were added at its end: the sorted rows before them are
// only merged with the rest, so a locale comparison is not made n log n times at 10,000.
template <typename Less> void sortStably(std::vector<ListRow>& rows, Less less) {
    const auto sorted = std::is_sorted_until(rows.begin(), rows.end(), less);
    const auto rest = static_cast<std::size_t>(rows.end() - sorted);
    if (rest == 0) return;
    if (rest > rows.size() / 8) {
        std::stable_sort(rows.begin(), rows.end(), less);
        return;
    }
    std::stable_sort(sorted, rows.end(), less);
    std::inplace_merge(rows.begin(), sorted, rows.end(), less);
}
} // namespace

const std::string& ListRow::text(int column) const {
    if (column <= 0) return caption;
    const auto sub = static_cast<std::size_t>(column - 1);
    return sub < subItems.size() ? subItems[sub] : kEmpty;
}

int compareBytes(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int ListModel::indexOfId(std::uint32_t id) const {
    return id < positionOfId_.size() ? positionOfId_[id] : -1;
}

void ListModel::clear() {
    rows_.clear();
    positionOfId_.clear();
    nextId_ = 0;
    nameSortPending_ = false;
}

std::size_t ListModel::addRow() {
    ListRow row;
    row.id = nextId_++;
    positionOfId_.push_back(static_cast<int>(rows_.size()));
    rows_.push_back(std::move(row));
    return rows_.size() - 1;
}

void ListModel::setImage(std::size_t index, int imageIndex) {
    rows_.at(index).imageIndex = imageIndex;
}

void ListModel::setEntryId(std::size_t index, std::uint32_t entryId) {
    rows_.at(index).entryId = entryId;
}

void ListModel::setSubItems(std::size_t index, std::vector<std::string> subItems) {
    rows_.at(index).subItems = std::move(subItems);
}

bool ListModel::setCaption(std::size_t index, const std::string& caption) {
    ListRow& row = rows_.at(index);
    if (row.caption == caption) return false;
    row.caption = caption;
    if (updateDepth_ > 0)
        nameSortPending_ = true;
    else
        sortByName();
    return true;
}

bool ListModel::endUpdate() {
    if (updateDepth_ == 0) return false;
    if (--updateDepth_ > 0) return false;
    if (nameSortPending_) sortByName();
    return true;
}

bool ListModel::endUpdateAndSortAgain(const RowOrder& order) {
    const bool namesByTies = updateDepth_ == 1 && nameSortPending_ && sort_.sortColumn >= 0;
    if (!namesByTies) {
        const bool ended = endUpdate();
        sortAgain(order);
        return ended;
    }
    --updateDepth_;
    nameSortPending_ = false;
    sortByColumn(sort_.sortColumn, order, true);
    return true;
}

void ListModel::sortByName() {
    nameSortPending_ = false;
    sortStably(rows_, [this](const ListRow& a, const ListRow& b) {
        return listNameLess(locale_, a.caption, b.caption);
    });
    reindex();
}

HeaderClickResult ListModel::headerClick(int column, int columnCount, const RowOrder& order) {
    HeaderClickResult result;
    if (column == sort_.sortColumn)
        sort_.direction = sort_.direction == SortDirection::Ascending ? SortDirection::Descending
                                                                      : SortDirection::Ascending;
    else if (sort_.sortColumn >= 0)
        result.unmarkedColumn = sort_.sortColumn;
    if (column < 0 || column >= columnCount) return result;

    sort_.sortColumn = column;
    sort_.markedColumn = column;
    sortByColumn(column, order);
    result.sorted = true;
    return result;
}

void ListModel::sortByColumn(int column, const RowOrder& order, bool tiesByName) {
    const SortDirection direction = sort_.direction;
    const int factor = sort_.factor();
    const auto columnLess = [&](const ListRow& a, const ListRow& b) {
        return order ? order(a, b, direction)
                     : compareBytes(a.text(column), b.text(column)) * factor < 0;
    };
    if (tiesByName)
        sortStably(rows_, [&](const ListRow& a, const ListRow& b) {
            if (columnLess(a, b)) return true;
            if (columnLess(b, a)) return false;
            return listNameLess(locale_, a.caption, b.caption);
        });
    else
        sortStably(rows_, columnLess);
    reindex();
}

void ListModel::sortAgain(const RowOrder& order) {
    if (sort_.sortColumn < 0)
        sortByName();
    else
        sortByColumn(sort_.sortColumn, order);
}

int ListModel::indexOfEntry(std::uint32_t entryId) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].entryId == entryId) return static_cast<int>(i);
    return -1;
}

std::vector<std::uint32_t>
ListModel::removeRowsOfEntries(const std::vector<std::uint32_t>& entryIds) {
    std::vector<std::uint32_t> removed;
    std::erase_if(rows_, [&](const ListRow& row) {
        if (std::find(entryIds.begin(), entryIds.end(), row.entryId) == entryIds.end())
            return false;
        removed.push_back(row.id);
        return true;
    });
    for (const std::uint32_t id : removed)
        positionOfId_[id] = -1; // row ids are never given again before a clear
    reindex();
    return removed;
}

void ListModel::reindex() {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        positionOfId_[rows_[i].id] = static_cast<int>(i);
}

} // namespace remvana
