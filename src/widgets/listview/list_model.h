#pragma once
// The rows of the program list and how they are kept in order: by name whenever a name
// changes, by any column when its header is clicked. The Win32 list shows what this holds.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/locale.h"

namespace remvana {

inline constexpr int kListColumnCount = 4;

struct ListRow {
    // Stays with the row through every sort; new rows get the next number after a clear.
    std::uint32_t id = 0;
    std::string caption;
    // Size, Last Used, Frequency; a row may carry fewer, the missing ones read as empty.
    std::vector<std::string> subItems;
    int imageIndex = 0;
    // What the row stands for, in its owner's numbering; the list only hands it back.
    std::uint32_t entryId = 0;

    // Column 0 is the caption, column k the sub-item k - 1.
    const std::string& text(int column) const;
};

enum class SortDirection { Ascending, Descending };

struct SortState {
    int sortColumn = -1;   // last column sorted by a header click; -1 none
    int markedColumn = -2; // column whose header shows the sort mark; -2 none
    SortDirection direction = SortDirection::Ascending;
    int factor() const { return direction == SortDirection::Ascending ? 1 : -1; }
};

// Byte order: unsigned bytes over the shorter length, then the shorter text first; -1, 0, 1.
int compareBytes(const std::string& a, const std::string& b);

// Whether row a goes before row b in a sort of one column in `direction`.
using RowOrder = std::function<bool(const ListRow& a, const ListRow& b, SortDirection direction)>;

struct HeaderClickResult {
    // The column whose header goes back to its plain format; -1 when none.
    int unmarkedColumn = -1;
    bool sorted = false;
};

class ListModel {
  public:
    explicit ListModel(Locale& locale) : locale_(locale) {}

    std::size_t size() const { return rows_.size(); }
    const ListRow& row(std::size_t index) const { return rows_.at(index); }
    const std::vector<ListRow>& rows() const { return rows_; }
    // The position of the row with this id, or -1 when no row has it (any more).
    int indexOfId(std::uint32_t id) const;

    void clear();
    // Appends a row with no caption and image 0; returns its index.
    std::size_t addRow();
    void setImage(std::size_t index, int imageIndex);
    void setEntryId(std::size_t index, std::uint32_t entryId);
    void setSubItems(std::size_t index, std::vector<std::string> subItems);
    // A caption different from the current one puts all rows in name order (the locale's
    // comparison); inside an update bracket that sort waits for the outermost end, which
    // gives the same order with one sort instead of one per row. Returns whether it changed.
    bool setCaption(std::size_t index, const std::string& caption);

    // The rows in the order of a header click on `column`, with the direction flipped when
    // it is the column sorted last. Sort state survives clear(). Cells compare as bytes
    // unless `order` says how the column's rows go (it gets the direction, so that it can
    // keep some rows last both ways).
    HeaderClickResult headerClick(int column, int columnCount = kListColumnCount,
                                  const RowOrder& order = {});
    // The rows in the order the last header click gave them (same column and direction,
    // `order` as it would be given for that column), or in name order when there was none:
    // after rows came, went or changed under a sorted list.
    void sortAgain(const RowOrder& order = {});

    // The position of the first row added with this entry id, or -1.
    int indexOfEntry(std::uint32_t entryId) const;
    // Takes out every row added with one of these entry ids; returns the row ids they had.
    std::vector<std::uint32_t> removeRowsOfEntries(const std::vector<std::uint32_t>& entryIds);
    const SortState& sortState() const { return sort_; }

    // Update brackets nest; endUpdate() returns true when the outermost one closed.
    void beginUpdate() { ++updateDepth_; }
    bool endUpdate();
    // endUpdate, then sortAgain. Under a column sort the names set inside the bracket get no
    // sort of their own: the column's sort breaks its ties by name, which gives the order of
    // the name sort followed by the column sort in one sort, one that merges the few rows out
    // of place instead of sorting every row by name.
    bool endUpdateAndSortAgain(const RowOrder& order = {});
    int updateDepth() const { return updateDepth_; }

  private:
    void sortByName();
    void sortByColumn(int column, const RowOrder& order, bool tiesByName = false);
    void reindex();

    Locale& locale_;
    std::vector<ListRow> rows_;
    std::vector<int> positionOfId_;
    std::uint32_t nextId_ = 0;
    SortState sort_;
    int updateDepth_ = 0;
    bool nameSortPending_ = false;
};

} // namespace remvana
