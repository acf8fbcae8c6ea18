#pragma once
// How a click on a column's header orders the programs: each column by what its cells
// mean (sizes and dates as numbers, versions by their numeric parts, the stores in reading
// order), with the empty cells last whichever way the column is sorted.
#include <cstdint>
#include <string>

#include "inventory/program_columns.h"
#include "platform/locale.h"

namespace remvana {

// Version texts by their parts: runs of digits as numbers, runs of letters ignoring ASCII
// case, any other character only separating them. Numbers go before words at the same
// place and a text that ends first goes first: 1.9 < 1.10 < 1.10.1 and 2.0 < 2.0.1 <
// 2.0 beta. Texts with equal parts ("1.0", "1.00") fall back to their bytes. <0, 0 or >0.
int compareVersionText(const std::string& a, const std::string& b);

// What one cell is sorted by, worked out once per row so that a sort does not parse texts
// at every comparison.
enum class CellKeyKind { Empty, Number, Text };
struct CellSortKey {
    CellKeyKind kind = CellKeyKind::Empty;
    std::int64_t number = 0;
    std::string text;
};

CellSortKey cellSortKey(ProgramColumn column, const ListedEntry& entry);

// Whether `a` goes before `b` in a sort of `column`, ascending or descending. Empty cells go
// after every other both ways; numbers before texts (an install date stored in another
// shape sorts after the real dates). The name column keeps its byte order, the publisher
// sorts in the locale's word order.
bool cellSortsBefore(ProgramColumn column, const CellSortKey& a, const CellSortKey& b,
                     bool descending, Locale& locale);

} // namespace remvana
