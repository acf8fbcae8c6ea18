#include "details/entry_facts.h"

#include "inventory/entry_health.h"
#include "inventory/formatting.h"
#include "inventory/program_columns.h"
#include "inventory/store_changes.h"
#include "widgets/paramlabel/param_lookup.h"

namespace remvana {

namespace {

constexpr const char* kMarkColor = "#C00000";

void addFact(std::string& markup, const char* label, const std::string& valueMarkup) {
    markup += "<B>";
    markup += label;
    markup += "</B> : ";
    markup += valueMarkup;
    markup += "<br>";
}

void addMark(std::string& markup, bool present, const char* text) {
    if (!present) return;
    markup += "<font color=\"";
    markup += kMarkColor;
    markup += "\">";
    markup += text;
    markup += "</font><br>";
}

} // namespace

std::string installDateText(const std::string& stored) {
    if (!installDateOf(stored)) return stored;
    return stored.substr(0, 4) + "-" + stored.substr(4, 2) + "-" + stored.substr(6, 2);
}

std::string entryFactsMarkup(const TAppInfo& entry, Locale& locale) {
    std::string markup;
    addMark(markup, entry.ChangedElsewhere, kChangedElsewhereText);
    addMark(markup, entry.Health.uninstallerMissing, kUninstallerMissingText);
    addMark(markup, entry.Health.installLocationMissing, kInstallLocationMissingText);
    addMark(markup, entry.Health.displayIconMissing, kDisplayIconMissingText);

    // A link opens what it names, so only a folder that exists is one; a file would run.
    if (!entry.InstallLocation.empty())
        addFact(markup, "Install Location",
                entry.Health.installLocationIsFolder
                    ? std::string("<a href=\"") + kInstallLocationHref + "\">" +
                          escapeParamValue(entry.InstallLocation) + "</a>"
                    : escapeParamValue(entry.InstallLocation));
    if (!entry.InstallDate.empty())
        addFact(markup, "Install Date", escapeParamValue(installDateText(entry.InstallDate)));
    if (!entry.UninstallString.empty())
        addFact(markup, "Uninstall Command", escapeParamValue(entry.UninstallString));
    if (!entry.ModifyPath.empty())
        addFact(markup, "Modify Command", escapeParamValue(entry.ModifyPath));
    if (entry.EstimatedSize > 0 && entry.UsageRecord.installedSize() <= 0)
        addFact(markup, "Estimated Size",
                FormatFileSize(static_cast<std::int64_t>(entry.EstimatedSize) * 1024, locale));
    return markup;
}

} // namespace remvana
