#include "actions/audit_report.h"

#include "inventory/formatting.h"
#include "inventory/list_fill.h"
#include "inventory/listing.h"

namespace remvana {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void appendLine(std::string& text, std::string_view line) {
    text += line;
    text += kLineEnd;
}

} // namespace

std::string auditReportHeader(AuditReportServices& services) {
    std::string header;
    appendLine(header, "Software Audit Report for: " + GetLocalComputerName(services.shell));
    appendLine(header, "Generated on  " + FormatDateTimeText(EncodeDateTime(services.clock.now()),
                                                             services.locale));
    appendLine(header, "By Kv Remvana!");
    appendLine(header, kAuditReportCopyright);
    appendLine(header, "");
    appendLine(header, "INSTALLED PROGRAMS:");
    appendLine(header, "");
    return header;
}

std::string auditReportBlock(const TAppInfo& entry, AuditReportServices& services) {
    if (entry.DisplayName.empty()) return {};
    std::string block;
    appendLine(block, oneLineText(entry.DisplayName));
    // The same texts as the list's cells: zero and negative sizes and time stamps mean the
    // shell never measured the program, and a stamp with no calendar date is left out.
    if (const std::string size = sizeCellText(entry.UsageRecord.installedSize(), services.locale);
        !size.empty())
        appendLine(block, "Size: " + size);
    if (const std::string lastUsed =
            lastUsedCellText(entry.UsageRecord.lastUsed(), services.clock, services.locale);
        !lastUsed.empty())
        appendLine(block, "Last Used On: " + lastUsed);
    if (!entry.FrequencyText.empty())
        appendLine(block, "Frequency: " + oneLineText(entry.FrequencyText));
    if (!entry.UninstallString.empty())
        appendLine(block, "Uninstall Command: " + oneLineText(entry.UninstallString));
    appendLine(block, "");
    return block;
}

void writeAuditReport(const InventoryArray& inventory, AuditReportServices& services,
                      const ReportWriter& write) {
    write(auditReportHeader(services));
    // The blocks follow the program list, whichever stores its rows came from.
    for (std::size_t index : listedInListOrder(inventory, services.locale)) {
        const std::string block = auditReportBlock(inventory[index], services);
        if (!block.empty()) write(block);
    }
}

std::string auditReportText(const InventoryArray& inventory, AuditReportServices& services) {
    std::string text;
    writeAuditReport(inventory, services, [&text](const std::string& piece) { text += piece; });
    return text;
}

std::string win32DialogFilter(std::string_view filter) {
    std::string result(filter);
    for (char& c : result)
        if (c == '|') c = '\0';
    // Each part ends with a NUL and the list with another; std::string adds the last one.
    result += '\0';
    return result;
}

FileCreateError::FileCreateError(const std::string& path, const std::string& systemText)
    : std::runtime_error("Cannot create file \"" + path + "\". " + systemText) {}

} // namespace remvana
