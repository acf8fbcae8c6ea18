#include "details/property_edits.h"

#include <algorithm>

#include "actions/commands.h"
#include "platform/registry.h"

namespace remvana {

const std::array<EditableProperty, 7> kEditableProperties = {{
    {"DisplayName", &TAppInfo::DisplayName, &TAppInfo::PendingDisplayName},
    {"Publisher", &TAppInfo::Publisher, &TAppInfo::PendingPublisher},
    {"DisplayVersion", &TAppInfo::DisplayVersion, &TAppInfo::PendingDisplayVersion},
    {"Contact", &TAppInfo::Contact, &TAppInfo::PendingContact},
    {"HelpLink", &TAppInfo::HelpLink, &TAppInfo::PendingHelpLink},
    {"HelpTelephone", &TAppInfo::HelpTelephone, &TAppInfo::PendingHelpTelephone},
    {"URLUpdateInfo", &TAppInfo::URLUpdateInfo, &TAppInfo::PendingURLUpdateInfo},
}};

bool recordPropertyEdit(TAppInfo* entry, const std::string& href, const std::string& value) {
    if (entry == nullptr || value.empty()) return false;
    bool changed = false;
    for (const EditableProperty& property : kEditableProperties) {
        // Compared with what the registry holds, never with an earlier pending value: an
        // edit back to the stored text leaves the earlier edit pending.
        if (property.valueName == href && value != entry->*property.loaded) {
            entry->*property.pending = value;
            changed = true;
        }
    }
    return changed;
}

void writePendingProperties(RegistryFactory& registries, TAppInfo& entry,
                            const std::function<void(const std::string&)>& renameRow) {
    const EditableProperty* firstPending = nullptr;
    for (const EditableProperty& property : kEditableProperties)
        if (firstPending == nullptr && !(entry.*property.pending).empty()) firstPending = &property;
    if (firstPending == nullptr) return;

    auto registry = registries.create(RegRoot::LocalMachine, reg_access::AllAccess);
    std::optional<std::string> keyPath = uninstallEntryKeyPath(entry.KeyName);
    // Without the subkey open, a write would land in whatever key the accessor stands on.
    if (!keyPath || !registry->openKey(*keyPath))
        throw RegistryError::setDataFailed(std::string(firstPending->valueName));

    for (const EditableProperty& property : kEditableProperties) {
        const std::string& pending = entry.*property.pending;
        if (pending.empty()) continue;
        registry->writeText(std::string(property.valueName), pending);
        entry.*property.loaded = pending;
        if (property.pending == &TAppInfo::PendingDisplayName && renameRow) renameRow(pending);
    }
    registry->closeKey();
}

bool hasPendingProperties(const TAppInfo& entry) {
    return std::any_of(
        kEditableProperties.begin(), kEditableProperties.end(),
        [&](const EditableProperty& property) { return !(entry.*property.pending).empty(); });
}

} // namespace remvana
