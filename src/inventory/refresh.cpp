#include "inventory/refresh.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/ascii.h"
#include "platform/code_page.h"

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

constexpr const char* kEstimatedSizeValue = "EstimatedSize";

const RegValue* findValue(const std::vector<RegValue>& values, const char* name) {
    for (const RegValue& v : values)
        // Registry names ignore case; only ASCII letters occur in the names looked for here.
        if (equalsIgnoringAsciiCase(v.name, name)) return &v;
    return nullptr;
}

bool isTextKind(ValueKind kind) {
    return kind == ValueKind::String || kind == ValueKind::ExpandString;
}

// Text from a string or expandable string (unexpanded); a value of another kind, or none,
// is no text.
std::string textOf(const RegValue* value) {
    return value && isTextKind(value->kind) ? textOfValue(value->data) : std::string();
}

// The list's size when there is no usage record: an estimate that is no 32-bit value is
// left out instead of failing the refresh.
std::uint32_t estimateOf(const RegValue* value) {
    std::int32_t kilobytes = 0;
    const bool readable =
        value && value->kind == ValueKind::Integer && integerOfValue(value->data, kilobytes);
    return readable ? static_cast<std::uint32_t>(kilobytes) : 0;
}

// One text value by the rule applyEntryValues has for text, in one query. Returns whether
// the value is there.
bool readTextField(Registry& reg, TAppInfo& info, const TextField& f) {
    const RegValue value = reg.readValue(f.name);
    info.*f.field = textOf(&value);
    return value.kind != ValueKind::Absent;
}

// The values the program list shows and filters by, the display name first: a scan of
// display names only reads that one.
constexpr std::array<TextField, 5> kListTextFields{{
    {"DisplayName", &TAppInfo::DisplayName},
    {"DisplayIcon", &TAppInfo::DisplayIcon},
    {"Publisher", &TAppInfo::Publisher},
    {"DisplayVersion", &TAppInfo::DisplayVersion},
    {"InstallDate", &TAppInfo::InstallDate},
}};

void readDisplayName(Registry& reg, TAppInfo& info) {
    readTextField(reg, info, kListTextFields[0]);
}

// The size estimate by the rule applyEntryValues has for it, in one query. Returns whether
// the value is there.
bool readEstimatedSize(Registry& reg, TAppInfo& info) {
    const RegValue value = reg.readValue(kEstimatedSizeValue);
    info.EstimatedSize = estimateOf(&value);
    return value.kind != ValueKind::Absent;
}

// Each in one query instead of a sweep of every value. Returns how many of them are there.
std::size_t readListValues(Registry& reg, TAppInfo& info) {
    std::size_t found = 0;
    for (const TextField& f : kListTextFields)
        found += readTextField(reg, info, f) ? 1 : 0;
    return found + (readEstimatedSize(reg, info) ? 1 : 0);
}

bool isListField(const TextField& f) {
    return std::any_of(kListTextFields.begin(), kListTextFields.end(),
                       [&](const TextField& listed) { return listed.field == f.field; });
}

// The fields from one set of values, each by the rule of its kind; with `listedToo` false,
// those a list-first read has read already are left as they are.
void applyFields(const std::vector<RegValue>& values, TAppInfo& info, bool listedToo) {
    for (const TextField& f : kTextFields)
        if (listedToo || !isListField(f)) info.*f.field = textOf(findValue(values, f.name));
    for (const IntegerField& f : kIntegerFields) {
        const RegValue* v = findValue(values, f.name);
        std::int32_t number = 0;
        // A 32-bit value stored with another size than four bytes is damaged: read as absent.
        if (v && v->kind == ValueKind::Integer && v->data.size() == 4)
            integerOfValue(v->data, number);
        info.*f.field = number;
    }
    if (listedToo) info.EstimatedSize = estimateOf(findValue(values, kEstimatedSizeValue));
}

// The values a list-first read leaves, in the order installers most often write them, so
// that reading them by name stops soon once the key's value count is reached.
constexpr std::array<const char*, 22> kRestByFrequency{{
    "UninstallString", "InstallLocation",  "NoModify",      "NoRepair",     "ModifyPath",
    "URLInfoAbout",    "HelpLink",         "VersionMajor",  "VersionMinor", "Language",
    "Version",         "WindowsInstaller", "InstallSource", "Comments",     "Contact",
    "URLUpdateInfo",   "HelpTelephone",    "ReadMe",        "NoRemove",     "RegOwner",
    "RegCompany",      "ProductID",
}};
static_assert(kRestByFrequency.size() + kListTextFields.size() ==
              kTextFields.size() + kIntegerFields.size());

// The longest name of a value any field is read from: a key with a longer value name holds
// values no field takes, which a read by name would ask for in vain.
constexpr std::size_t longestFieldName() {
    std::size_t longest = std::char_traits<char>::length(kEstimatedSizeValue);
    for (const TextField& f : kTextFields)
        longest = std::max(longest, std::char_traits<char>::length(f.name));
    for (const IntegerField& f : kIntegerFields)
        longest = std::max(longest, std::char_traits<char>::length(f.name));
    return longest;
}

// The rest of a list-first read through the subkey it kept open: by name where that takes
// no more queries than a sweep of every value would, else by a sweep. False when the key can
// no longer be read (deleted meanwhile).
bool readRest(Registry& key, std::size_t valuesFound, TAppInfo& info) {
    const std::optional<ValueCounts> counts = key.valueCounts();
    if (!counts) return false;
    const bool byName =
        counts->values >= kRestByFrequency.size() || counts->longestName <= longestFieldName();
    if (!byName) {
        applyFields(key.readAllValues(), info, true);
        return true;
    }
    // Each value found takes one off those left; none left, nothing more is there to ask for.
    std::size_t left = counts->values > valuesFound ? counts->values - valuesFound : 0;
    std::vector<RegValue> found;
    for (const char* name : kRestByFrequency) {
        if (left == 0) break;
        RegValue value = key.readValue(name);
        if (value.kind == ValueKind::Absent) continue;
        found.push_back(std::move(value));
        --left;
    }
    applyFields(found, info, false);
    return true;
}

} // namespace

std::string frequencyTextOf(std::int32_t timesUsed) {
    if (timesUsed <= 0) return "";
    if (timesUsed <= 2) return "rarely";
    if (timesUsed <= 9) return "occasionally";
    return "frequently";
}

std::vector<std::string> sortedUniqueNames(std::vector<std::string> names, Locale& locale) {
    // The registry never enumerates two names it holds as one key, save when the store
    // changes under the enumeration; the first spelling seen is kept.
    std::set<std::string> seen;
    std::erase_if(
        names, [&](const std::string& name) { return !seen.insert(asciiLowerCased(name)).second; });
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return locale.compareIgnoreCase(a, b) < 0;
    });
    return names;
}

void applyEntryValues(const std::vector<RegValue>& values, TAppInfo& info) {
    applyFields(values, info, true);
}

void applyUsageRecord(const std::vector<std::uint8_t>& stored, ArpCacheRecord& record) {
    const std::size_t length = std::min(stored.size(), ArpCacheRecord::kSize);
    std::copy_n(stored.begin(), length, record.bytes.begin());
}

KeyTimes::KeyTimes(const std::vector<SubkeyStamp>& stamps) {
    times_.reserve(stamps.size());
    for (const SubkeyStamp& stamp : stamps)
        times_.emplace(asciiLowerCased(stamp.name), stamp.lastWrite);
}

std::optional<std::int64_t> KeyTimes::find(const std::string& name) const {
    const auto found = times_.find(asciiLowerCased(name));
    if (found == times_.end()) return std::nullopt;
    return found->second;
}

OpenStore openStore(RegistryFactory& registry, const UninstallStore& store, bool withUsage) {
    OpenStore open{store,
                   openStoreKey(registry, store),
                   withUsage ? openUsageRecordKey(registry, store) : nullptr,
                   {}};
    if (open.usage) open.usageTimes = KeyTimes(open.usage->subkeyStamps());
    return open;
}

namespace {

struct FoundKey {
    std::size_t store; // index into the open stores
    SubkeyStamp key;
};

// Most entries have no usage record: the usage key's own listing tells which, so no open is
// spent on a record that is not there. The record is one value, so one query reads it.
void readUsageRecord(const OpenStore& open, TAppInfo& info) {
    if (open.usage) {
        const std::optional<std::int64_t> written = open.usageTimes.find(info.KeyName);
        info.UsageWriteTime = written.value_or(0);
        const auto key = written ? open.usage->openSubkey(info.KeyName, reg_access::Read) : nullptr;
        if (key) {
            const RegValue cache = key->readValue(kUsageRecordValue);
            if (cache.kind == ValueKind::Binary) applyUsageRecord(cache.data, info.UsageRecord);
        }
    }
    info.FrequencyText = frequencyTextOf(info.UsageRecord.timesUsed());
}

} // namespace

// Everything in one subkey is read relative to its store's open key, so that a name of any
// length the registry allows is reached; what cannot be read is simply left out. Returns how
// far the entry is read: a subkey that cannot be read has nothing more to give.
EntryRead readStoreEntry(const OpenStore& open, TAppInfo& info, ScanDepth depth) {
    EntryRead read;
    // A name the code page cannot hold addresses no key: it is listed by what can be shown
    // and nothing is read through it.
    if (isUnrepresentableKeyName(info.KeyName)) {
        info.DisplayName = unrepresentableKeyDisplayName(info.KeyName);
        return read;
    }
    if (auto key = open.entries->openSubkey(info.KeyName, reg_access::Read)) {
        if (depth == ScanDepth::DisplayNames) {
            readDisplayName(*key, info);
        } else if (depth == ScanDepth::ListFirst) {
            read.valuesFound = readListValues(*key, info);
            read.key = std::move(key); // for the rest
        } else {
            applyEntryValues(key->readAllValues(), info);
        }
        read.readTo = depth;
    } else {
        info.KeyUnreadable = true;
    }
    // A scan of display names only has no use for the usage records.
    if (depth != ScanDepth::DisplayNames) readUsageRecord(open, info);
    return read;
}

namespace {

// The rest of an entry read to `readTo`, through its store, so that it then holds exactly
// what a scan of everything would have read. A subkey that can no longer be opened is
// handled as the scan handles one: unreadable, with no properties.
void completeThrough(const OpenStore& open, TAppInfo& entry, ScanDepth readTo) {
    if (const auto key =
            open.entries ? open.entries->openSubkey(entry.KeyName, reg_access::Read) : nullptr) {
        applyEntryValues(key->readAllValues(), entry);
    } else {
        applyEntryValues({}, entry);
        entry.KeyUnreadable = true;
    }
    if (readTo == ScanDepth::DisplayNames) readUsageRecord(open, entry);
}

// Empties `inventory`, then reads every store into it; `reading` gets how far each entry
// was read. False when no store can be opened.
bool scanStores(RegistryFactory& registry, Locale& locale, ScanDepth depth,
                InventoryArray& inventory, std::vector<EntryRead>& reading,
                const ReadingProgress& progress) {
    inventory.clear();
    reading.clear();
    std::vector<OpenStore> stores;
    std::vector<FoundKey> found;
    for (const UninstallStore& store : uninstallStoresOf(registry)) {
        OpenStore open = openStore(registry, store, depth != ScanDepth::DisplayNames);
        if (!open.entries) continue; // the per-user store, for one, is often absent
        const std::vector<SubkeyStamp> stamps = open.entries->subkeyStamps();
        std::vector<std::string> names;
        names.reserve(stamps.size());
        for (const SubkeyStamp& stamp : stamps)
            names.push_back(stamp.name);
        const KeyTimes times(stamps);
        for (std::string& name : sortedUniqueNames(std::move(names), locale)) {
            const std::int64_t written = times.of(name);
            found.push_back(FoundKey{stores.size(), SubkeyStamp{std::move(name), written}});
        }
        stores.push_back(std::move(open));
    }
    if (stores.empty()) return false;

    // One name order over all stores; equal names keep the stores' reading order.
    std::stable_sort(found.begin(), found.end(), [&](const FoundKey& a, const FoundKey& b) {
        return locale.compareIgnoreCase(a.key.name, b.key.name) < 0;
    });
    inventory.resize(found.size());
    reading.resize(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        TAppInfo& info = inventory[i];
        const OpenStore& open = stores[found[i].store];
        info.KeyName = std::move(found[i].key.name);
        info.KeyWriteTime = found[i].key.lastWrite;
        info.Store = open.store;
        reading[i] = readStoreEntry(open, info, depth);
        if (progress) progress(i + 1, found.size());
    }
    return true;
}

} // namespace

bool rebuildInventory(RegistryFactory& registry, Locale& locale, InventoryArray& inventory,
                      const ReadingProgress& progress) {
    std::vector<EntryRead> reading;
    return scanStores(registry, locale, ScanDepth::Everything, inventory, reading, progress);
}

bool ProgramInventory::rebuild(RegistryFactory& registry, Locale& locale, ScanDepth depth,
                               const ReadingProgress& progress) {
    registry_ = &registry;
    completing_.clear(); // the keys of the last read's stores
    const bool read = scanStores(registry, locale, depth, entries_, reading_, progress);
    numberAfresh();
    countPending();
    return read;
}

void ProgramInventory::countPending() {
    pending_ = static_cast<std::size_t>(
        std::count_if(reading_.begin(), reading_.end(),
                      [](const EntryRead& r) { return r.readTo != ScanDepth::Everything; }));
    if (pending_ == 0) completing_.clear();
}

const OpenStore& ProgramInventory::completionStore(const UninstallStore& store, bool withUsage) {
    auto open = std::find_if(completing_.begin(), completing_.end(),
                             [&](const OpenStore& s) { return s.store == store; });
    if (open == completing_.end())
        return completing_.emplace_back(openStore(*registry_, store, withUsage));
    // Opened for an entry that needed no usage records; this one does.
    if (withUsage && !open->usage && open->entries) *open = openStore(*registry_, store, true);
    return *open;
}

TAppInfo& ProgramInventory::entry(EntryId id) {
    const std::size_t at = positionOf(id);
    TAppInfo& wanted = entries_[at];
    if (reading_[at].readTo != ScanDepth::Everything) {
        const EntryRead reading = std::exchange(reading_[at], EntryRead{});
        // A subkey deleted since the first step is looked for anew, as a scan would.
        if (!reading.key || !readRest(*reading.key, reading.valuesFound, wanted))
            completeThrough(
                completionStore(wanted.Store, reading.readTo == ScanDepth::DisplayNames), wanted,
                reading.readTo);
        // Nothing more to complete: the store keys go.
        if (--pending_ == 0) completing_.clear();
    }
    return wanted;
}

const InventoryArray& ProgramInventory::completeAll(const ReadingProgress& progress) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entry(ids_[i]);
        if (progress) progress(i + 1, entries_.size());
    }
    return entries_;
}

namespace {

void resetForNewList(RefreshView& view) {
    view.clearRows();
    view.setDetailsHeading(kPropertiesHeadingLine);
    view.disableEntryButtons();
}

} // namespace

void refreshInventory(RegistryFactory& registry, Locale& locale, RefreshView& view,
                      ScanDepth depth) {
    resetForNewList(view);
    if (!Inventory.rebuild(registry, locale, depth, [&view](std::size_t done, std::size_t total) {
            view.readingProgress(done, total);
        })) {
        view.reportRegistryErrorAndExit();
        return;
    }
    view.fillList();
}

void showRebuiltInventory(ProgramInventory& rebuilt, RefreshView& view) {
    resetForNewList(view);
    Inventory.swap(rebuilt);
    view.fillList();
}

} // namespace remvana
