#pragma once
// The command line's texts of the listed programs: the plain list, JSON and TSV.
#include <string>
#include <string_view>
#include <vector>

#include "cli/program_record.h"
#include "inventory/app_info.h"
#include "inventory/program_inventory.h"
#include "platform/locale.h"

namespace remvana {

// "<key name>|||<display name>" per listed program in list order, each line ended by CR LF
// (the format of Wine's `uninstaller --list`). ANSI text, as the names are stored.
std::string programListLines(const InventoryArray& inventory, Locale& locale);
// The same of an inventory scanned for display names only.
std::string programListLines(const ProgramInventory& inventory, Locale& locale);

// The records of the listed programs, in list order.
std::vector<ProgramRecord> listedProgramRecords(const InventoryArray& inventory, Locale& locale,
                                                Clock& clock);

// A JSON array of one object per record, UTF-8, ending in a line break.
std::string programsJson(const std::vector<ProgramRecord>& records);

// A header line of the field names, then one line per record; fields separated by a tab,
// lines ended by CR LF, UTF-8. Nulls are empty fields.
std::string programsTsv(const std::vector<ProgramRecord>& records);

// A TSV field: backslash, tab, carriage return and line feed written as \\, \t, \r and \n,
// so a field never splits a line or a column and reads back exactly.
std::string tsvEscaped(std::string_view text);

} // namespace remvana
