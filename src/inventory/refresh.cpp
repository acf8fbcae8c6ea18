#include "inventory/refresh.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace remvana {

namespace {

struct TextField {
    const char* name;
    std::string TAppInfo::*field;
};
struct IntegerField {
    const char* name;
    std::int32_t TAppInfo::*field;
};

// In the order of TAppInfo's fields, which is the order values are taken in.
constexpr std::array<TextField, 19> kTextFields{{
    {"Comments", &TAppInfo::Comments},
    {"Contact", &TAppInfo::Contact},
    {"DisplayIcon", &TAppInfo::DisplayIcon},
    {"DisplayName", &TAppInfo::DisplayName},
    {"DisplayVersion", &TAppInfo::DisplayVersion},
    {"HelpLink", &TAppInfo::HelpLink},
    {"HelpTelephone", &TAppInfo::HelpTelephone},
    {"InstallDate", &TAppInfo::InstallDate},
    {"InstallLocation", &TAppInfo::InstallLocation},
    {"InstallSource", &TAppInfo::InstallSource},
    {"ProductID", &TAppInfo::ProductID},
    {"Publisher", &TAppInfo::Publisher},
    {"ReadMe", &TAppInfo::ReadMe},
    {"RegCompany", &TAppInfo::RegCompany},
    {"RegOwner", &TAppInfo::RegOwner},
    {"URLInfoAbout", &TAppInfo::URLInfoAbout},
    {"URLUpdateInfo", &TAppInfo::URLUpdateInfo},
    {"UninstallString", &TAppInfo::UninstallString},
    {"ModifyPath", &TAppInfo::ModifyPath},
}};
constexpr std::array<IntegerField, 8> kIntegerFields{{
    {"Language", &TAppInfo::Language},
    {"NoModify", &TAppInfo::NoModify},
    {"NoRemove", &TAppInfo::NoRemove},
    {"NoRepair", &TAppInfo::NoRepair},
    {"Version", &TAppInfo::Version},
    {"VersionMajor", &TAppInfo::VersionMajor},
    {"VersionMinor", &TAppInfo::VersionMinor},
    {"WindowsInstaller", &TAppInfo::WindowsInstaller},
}};

// Registry names ignore case; only ASCII letters occur in the names looked for here.
bool sameName(const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

const RegValue* findValue(const std::vector<RegValue>& values, const char* name) {
    for (const RegValue& v : values)
        if (sameName(v.name, name)) return &v;
    return nullptr;
}

} // namespace

std::string frequencyTextOf(std::int32_t timesUsed) {
    if (timesUsed <= 0) return "";
    if (timesUsed <= 2) return "rarely";
    if (timesUsed <= 9) return "occasionally";
    return "frequently";
}

std::vector<std::string> sortedUniqueNames(std::vector<std::string> names, Locale& locale) {
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return locale.compareIgnoreCase(a, b) < 0;
    });
    names.erase(std::unique(names.begin(), names.end(),
                            [&](const std::string& a, const std::string& b) {
                                return locale.compareIgnoreCase(a, b) == 0;
                            }),
                names.end());
    return names;
}

void applyEntryValues(const std::vector<RegValue>& values, TAppInfo& info) {
    for (const TextField& f : kTextFields) {
        const RegValue* v = findValue(values, f.name);
        const bool text = v && (v->kind == ValueKind::String || v->kind == ValueKind::ExpandString);
        info.*f.field = text ? textOfValue(v->data) : std::string();
    }
    for (const IntegerField& f : kIntegerFields) {
        const RegValue* v = findValue(values, f.name);
        std::int32_t number = 0;
        // A 32-bit value stored with more than four bytes cannot be read as one.
        if (v && v->kind == ValueKind::Integer && !integerOfValue(v->data, number))
            throw RegistryError::getDataFailed(f.name);
        info.*f.field = number;
    }
}

void applyUsageRecord(const std::vector<std::uint8_t>& stored, ArpCacheRecord& record) {
    if (stored.size() > ArpCacheRecord::kSize)
        throw RegistryError::invalidDataType(kUsageRecordValue);
    std::copy(stored.begin(), stored.end(), record.bytes.begin());
}

bool rebuildInventory(RegistryFactory& registry, Locale& locale, InventoryArray& inventory,
                      const ReadingProgress& progress) {
    inventory.clear();
    const std::unique_ptr<Registry> reg =
        registry.create(RegRoot::LocalMachine, reg_access::AllAccess);
    if (!reg->openKey(kUninstallStorePath)) return false;
    const std::vector<std::string> names = sortedUniqueNames(reg->subkeyNames(), locale);
    reg->closeKey();

    inventory.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        TAppInfo& info = inventory[i];
        info.KeyName = names[i];
        // A subkey that cannot be opened keeps only its name (and still gets its usage record).
        if (reg->openKey(kUninstallEntryPrefix + names[i] + "\\")) {
            applyEntryValues(reg->readAllValues(), info);
            reg->closeKey();
        }
        if (reg->openKey(kUsageRecordPrefix + names[i] + "\\")) {
            const std::vector<RegValue> values = reg->readAllValues();
            reg->closeKey();
            const RegValue* cache = findValue(values, kUsageRecordValue);
            if (cache && cache->kind == ValueKind::Binary)
                applyUsageRecord(cache->data, info.UsageRecord);
        }
        info.FrequencyText = frequencyTextOf(info.UsageRecord.timesUsed());
        if (progress) progress(i + 1, names.size());
    }
    return true;
}

void refreshInventory(RegistryFactory& registry, Locale& locale, RefreshView& view) {
    view.clearRows();
    view.setDetailsHeading(kPropertiesHeadingLine);
    view.disableEntryButtons();
    if (!rebuildInventory(
            registry, locale, Inventory,
            [&view](std::size_t done, std::size_t total) { view.readingProgress(done, total); })) {
        view.reportRegistryErrorAndExit();
        return;
    }
    view.fillList();
}

} // namespace remvana
