#pragma once
// One listed program as the machine-readable outputs carry it: every value read from its
// subkey, its usage record's size, last use and frequency, and its product code. JSON and
// TSV write the same fields in the same order, named after osquery's `programs` table
// where it has the column, in the same snake_case otherwise.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "inventory/app_info.h"
#include "platform/clock.h"

namespace remvana {

// Text is in the ANSI code page, as the registry gave it. Null stands for a size or a time
// the usage record does not have; texts the entry did not register are empty, as in the
// record itself.
using RecordValue = std::variant<std::nullptr_t, std::string, std::int64_t>;

struct RecordField {
    const char* name;
    RecordValue value;
};

using ProgramRecord = std::vector<RecordField>;

// The field names in record order.
std::vector<std::string> programRecordNames();

ProgramRecord programRecordOf(const TAppInfo& info, Clock& clock);

// "2026-11-30T17:02:05+01:00": the UTC FILETIME in local time, with the offset the local
// time was computed with. Nothing for a stamp of 0 or less or outside the years 1 to 9999.
std::optional<std::string> isoLocalTimeOf(std::int64_t fileTime, Clock& clock);

// The store an entry came from, short as administrators write it: "HKLM64" (machine-wide,
// 64-bit view), "HKLM32" (machine-wide, 32-bit view), "HKCU" (this user's own).
std::string storeNameOf(const UninstallStore& store);

// The key name when it is a Windows Installer product code ("{" 8-4-4-4-12 hex digits "}"
// and the entry says Windows Installer made it), else empty.
std::string productCodeOf(const TAppInfo& info);

} // namespace remvana
