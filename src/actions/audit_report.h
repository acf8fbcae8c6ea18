#pragma once
// The software audit report: a plain-text inventory of every registered program with a
// display name, in the program list's order, as 8-bit text with CR LF line ends and no byte-order
// mark.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "inventory/app_info.h"

namespace remvana {

class Shell;
class Clock;
class Locale;

inline constexpr std::string_view kAuditReportCopyright =
    "Copyright (c) 2026 Kelvane. All rights reserved.";

// The save dialog that asks where the report goes.
inline constexpr const char* kSaveDialogTitle = "Save Software Audit Report";
inline constexpr const char* kSaveDialogFilter = "Txt Files (*.txt)|*.txt";
inline constexpr const char* kSaveDialogDefaultExt = "txt";

// What the report reads besides the Inventory: the computer's name, the current time and
// the conversion of usage time stamps, and the locale's separators.
struct AuditReportServices {
    Shell& shell;
    Clock& clock;
    Locale& locale;
};

// The seven header lines.
std::string auditReportHeader(AuditReportServices& services);
// The block of one entry, empty for an entry without a display name. A last-used time that
// cannot be a date is left out, as the list leaves its cell empty.
std::string auditReportBlock(const TAppInfo& entry, AuditReportServices& services);

// Hands the header, then each entry's block, to `write`, one piece per call.
using ReportWriter = std::function<void(const std::string& piece)>;
void writeAuditReport(const InventoryArray& inventory, AuditReportServices& services,
                      const ReportWriter& write);
// The whole report as one text.
std::string auditReportText(const InventoryArray& inventory, AuditReportServices& services);

// A file dialog filter in the "description|pattern|..." form, as the common dialogs want it:
// each part ended by a NUL, the list by a second NUL.
std::string win32DialogFilter(std::string_view filter);

// The report's file could not be created; the message names the full path and the
// system's reason.
class FileCreateError : public std::runtime_error {
  public:
    FileCreateError(const std::string& path, const std::string& systemText);
};

} // namespace remvana
