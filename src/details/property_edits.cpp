#include "details/property_edits.h"

#include <algorithm>

#include "actions/action_errors.h"
#include "actions/commands.h"
#include "platform/code_page.h"
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

namespace {

std::uint8_t clearBitOf(const EditableProperty& property) {
    return static_cast<std::uint8_t>(1u << (&property - kEditableProperties.data()));
}

bool isPending(const TAppInfo& entry, const EditableProperty& property) {
    return !(entry.*property.pending).empty() || (entry.PendingClears & clearBitOf(property));
}

RegistryError withRightsAdvice(const RegistryError& error, const RegFailure& failure,
                               const UninstallStore& store, RegistryFactory& registries) {
    const std::string advice = rightsAdvice(failure, store, registries);
    return advice.empty() ? error : RegistryError(asSentence(error.what()) + advice);
}

} // namespace

bool recordPropertyEdit(TAppInfo* entry, const std::string& href, const std::string& value,
                        std::string_view emptyParam) {
    if (entry == nullptr || value.empty() || isUnrepresentableKeyName(entry->KeyName)) return false;
    // The label shows a cleared value as its placeholder; what is meant is empty text.
    const bool cleared = !emptyParam.empty() && value == emptyParam;
    const std::string newValue = cleared ? std::string() : value;
    bool changed = false;
    for (const EditableProperty& property : kEditableProperties) {
        // Compared with what the registry holds, never with an earlier pending value: an
        // edit back to the stored text leaves the earlier edit pending.
        if (property.valueName == href && newValue != entry->*property.loaded) {
            entry->*property.pending = newValue;
            if (cleared)
                entry->PendingClears |= clearBitOf(property);
            else
                entry->PendingClears &= static_cast<std::uint8_t>(~clearBitOf(property));
            changed = true;
        }
    }
    return changed;
}

void writePendingProperties(RegistryFactory& registries, TAppInfo& entry,
                            const std::function<void(const std::string&)>& renameRow,
                            std::size_t* written) {
    const EditableProperty* firstPending = nullptr;
    for (const EditableProperty& property : kEditableProperties)
        if (firstPending == nullptr && isPending(entry, property)) firstPending = &property;
    if (firstPending == nullptr) return;
    if (!isSingleKeyName(entry.KeyName)) throw entryGuardError(entry.KeyName);

    // Only the entry's own subkey is opened for writing, relative to its store's key.
    auto store = storeRegistry(registries, entry.Store, reg_access::Read);
    std::unique_ptr<Registry> key;
    if (store->openKey(kUninstallStorePath))
        key = store->openSubkey(entry.KeyName, reg_access::QueryValue | reg_access::SetValue);
    if (!key)
        throw withRightsAdvice(RegistryError::setDataFailed(std::string(firstPending->valueName)),
                               store->lastFailure(), entry.Store, registries);

    for (const EditableProperty& property : kEditableProperties) {
        if (!isPending(entry, property)) continue;
        const std::string pending = entry.*property.pending;
        try {
            key->writeText(std::string(property.valueName), pending);
        } catch (const RegistryError& e) {
            throw withRightsAdvice(e, key->lastFailure(), entry.Store, registries);
        }
        if (written != nullptr) ++*written;
        entry.*property.loaded = pending;
        if (property.pending == &TAppInfo::PendingDisplayName && renameRow) renameRow(pending);
    }
    // What the user kept through another program's change is now what the key holds.
    entry.ChangedElsewhere = false;
}

bool hasUnsavedEdits(const TAppInfo& entry) {
    return std::any_of(kEditableProperties.begin(), kEditableProperties.end(),
                       [&](const EditableProperty& property) {
                           // A cleared property is pending as empty text.
                           return isPending(entry, property) &&
                                  entry.*property.pending != entry.*property.loaded;
                       });
}

void carryPendingEdits(const TAppInfo& from, TAppInfo& to) {
    for (const EditableProperty& property : kEditableProperties)
        to.*property.pending = from.*property.pending;
    to.PendingClears = from.PendingClears;
}

bool hasPendingProperties(const TAppInfo& entry) {
    return std::any_of(
        kEditableProperties.begin(), kEditableProperties.end(),
        [&](const EditableProperty& property) { return isPending(entry, property); });
}

} // namespace remvana
