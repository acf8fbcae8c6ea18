#pragma once
// Saving the software audit report: the save dialog, then the file, created afresh.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "actions/audit_report.h"

namespace remvana {

// Asks where the report goes, starting in `initialFolder`; nothing when the user cancels.
using AuditReportPathChooser =
    std::function<std::optional<std::string>(HWND owner, const std::string& initialFolder)>;

// The save dialog itself: GetSaveFileNameA with the report's title, filter and default
// extension; no overwrite prompt.
std::optional<std::string> askAuditReportPath(HWND owner, const std::string& initialFolder);

// Replaces the dialog, for tests that run without anyone to answer it or need a path the
// dialog would refuse (a folder that does not exist); an empty chooser brings it back.
void setAuditReportPathChooser(AuditReportPathChooser chooser);

// Creates (or replaces) the file with exclusive access and writes the report into it.
// Throws FileCreateError when the file cannot be created. A write that fails or falls short
// removes the file and throws the ActionError saying the report is incomplete.
void writeAuditReportFile(const std::string& path, const InventoryArray& inventory,
                          AuditReportServices& services);

// The whole "Save to file ..." action: the documents folder as the starting folder, the
// dialog, then the file. Returns the path written, or nothing when the user cancelled.
std::optional<std::string> saveAuditReport(HWND owner, const InventoryArray& inventory,
                                           AuditReportServices& services);

} // namespace remvana
