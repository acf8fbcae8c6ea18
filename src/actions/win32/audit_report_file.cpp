#include "actions/win32/audit_report_file.h"

#include <commdlg.h>

#include <stdexcept>
#include <utility>

#include "actions/action_errors.h"
#include "platform/shell.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/system_library.h"

namespace remvana {
namespace {

AuditReportPathChooser& pathChooser() {
    static AuditReportPathChooser chooser;
    return chooser;
}

} // namespace

std::optional<std::string> askAuditReportPath(HWND owner, const std::string& initialFolder) {
    const std::string filter = win32DialogFilter(kSaveDialogFilter);
    char file[MAX_PATH + 1] = {};

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = kSaveDialogTitle;
    dialog.lpstrDefExt = kSaveDialogDefaultExt;
    // No overwrite prompt: saving again under the same name replaces the report. The
    // working folder stays put, so a later command line is not looked up in the report's.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    static const auto ask =
        systemFunction<decltype(GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
    if (!ask) throw std::runtime_error("The file dialog is not available (comdlg32.dll).");
    if (!ask(&dialog)) return std::nullopt;
    return std::string(file);
}

void setAuditReportPathChooser(AuditReportPathChooser chooser) {
    pathChooser() = std::move(chooser);
}

void writeAuditReportFile(const std::string& path, const InventoryArray& inventory,
                          AuditReportServices& services) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw FileCreateError(path, services.shell.lastErrorText());
    // A report cut short would pass for a complete one, so a failing write removes the file.
    std::optional<std::string> failure;
    writeAuditReport(inventory, services, [&](const std::string& piece) {
        if (failure) return;
        DWORD written = 0;
        if (!WriteFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &written,
                       nullptr))
            failure = services.shell.lastErrorText();
        else if (written != piece.size())
            failure = "Not all of it could be written; the disk may be full";
    });
    // The last of the data may only reach the file as it is closed, and fail there.
    if (!file.close() && !failure) failure = services.shell.lastErrorText();
    if (!failure) return;
    DeleteFileA(path.c_str());
    throw reportIncompleteError(path, *failure);
}

std::optional<std::string> saveAuditReport(HWND owner, const InventoryArray& inventory,
                                           AuditReportServices& services) {
    const std::string initialFolder = services.shell.documentsFolder();
    const auto& chooser = pathChooser();
    const auto path =
        chooser ? chooser(owner, initialFolder) : askAuditReportPath(owner, initialFolder);
    if (!path) return std::nullopt;
    writeAuditReportFile(*path, inventory, services);
    return path;
}

} // namespace remvana
