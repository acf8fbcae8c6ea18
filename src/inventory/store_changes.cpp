#include "inventory/store_changes.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "inventory/refresh.h"
#include "platform/ascii.h"

namespace remvana {
namespace {

// What one store holds now: its open keys and its subkeys by name as the registry
// compares names.
struct StoreNow {
    std::optional<OpenStore> open; // empty when the store cannot be opened
    std::unordered_map<std::string, SubkeyStamp> subkeys;
};

std::vector<StoreNow> readStores(RegistryFactory& registry,
                                 const std::vector<UninstallStore>& stores) {
    std::vector<StoreNow> now(stores.size());
    for (std::size_t i = 0; i < stores.size(); ++i) {
        OpenStore open = openStore(registry, stores[i], true);
        if (!open.entries) continue;
        now[i].open = std::move(open);
        for (SubkeyStamp& stamp : now[i].open->entries->subkeyStamps()) {
            const std::string name = asciiLowerCased(stamp.name);
            // The first spelling seen stays, as in a full scan.
            now[i].subkeys.try_emplace(name, std::move(stamp));
        }
    }
    return now;
}

std::size_t storeIndexOf(const std::vector<UninstallStore>& stores, const UninstallStore& store) {
    return static_cast<std::size_t>(std::find(stores.begin(), stores.end(), store) -
                                    stores.begin());
}

// The subkey of that name, taken out of those still to be seen: what is left at the end is new.
std::optional<SubkeyStamp> takeSubkey(StoreNow& store, const std::string& keyName) {
    const auto found = store.subkeys.find(asciiLowerCased(keyName));
    if (found == store.subkeys.end()) return std::nullopt;
    SubkeyStamp key = std::move(found->second);
    store.subkeys.erase(found);
    return key;
}

TAppInfo readEntryNow(const StoreNow& store, const SubkeyStamp& key) {
    TAppInfo info;
    info.KeyName = key.name;
    info.KeyWriteTime = key.lastWrite;
    info.Store = store.open->store;
    readStoreEntry(*store.open, info, ScanDepth::Everything);
    return info;
}

} // namespace

bool ProgramInventory::update(RegistryFactory& registry, Locale& locale,
                              const KeepAsItIs& keepAsItIs, InventoryChanges& changes) {
    const std::vector<UninstallStore> stores = uninstallStoresOf(registry);
    std::vector<StoreNow> now = readStores(registry, stores);
    if (std::none_of(now.begin(), now.end(), [](const StoreNow& s) { return s.open.has_value(); }))
        return false;
    registry_ = &registry;

    std::vector<bool> gone(entries_.size(), false);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        TAppInfo& entry = entries_[i];
        const std::size_t s = storeIndexOf(stores, entry.Store);
        StoreNow* store = s < now.size() && now[s].open ? &now[s] : nullptr;
        const std::optional<SubkeyStamp> key =
            store ? takeSubkey(*store, entry.KeyName) : std::nullopt;
        if (key && key->lastWrite == entry.KeyWriteTime &&
            store->open->usageTimes.of(entry.KeyName) == entry.UsageWriteTime)
            continue; // unchanged
        if (keepAsItIs && keepAsItIs(entry)) {
            entry.ChangedElsewhere = true;
            changes.keptAsTheyWere.push_back(ids_[i]);
        } else if (key) {
            entry = readEntryNow(*store, *key);
            readTo_[i] = ScanDepth::Everything;
            changes.changed.push_back(ids_[i]);
        } else {
            gone[i] = true;
            positions_[ids_[i]] = kGone;
            changes.removed.push_back(ids_[i]);
        }
    }

    // New keys go where a full scan would have put them: name order in the user's locale,
    // equal names in the stores' reading order, after the entries already there.
    const auto before = [&](const TAppInfo& a, const TAppInfo& b) {
        const int order = locale.compareIgnoreCase(a.KeyName, b.KeyName);
        if (order != 0) return order < 0;
        return storeIndexOf(stores, a.Store) < storeIndexOf(stores, b.Store);
    };
    std::vector<TAppInfo> added;
    for (StoreNow& store : now) {
        if (!store.open) continue;
        for (const auto& [name, stamp] : store.subkeys)
            added.push_back(readEntryNow(store, stamp));
    }
    if (added.empty() && changes.removed.empty()) return true;
    std::sort(added.begin(), added.end(), before);
    // Where each new entry goes among the old ones (gone ones still counted).
    std::vector<std::size_t> insertAt;
    for (const TAppInfo& info : added)
        insertAt.push_back(static_cast<std::size_t>(
            std::upper_bound(entries_.begin(), entries_.end(), info, before) - entries_.begin()));

    // One pass builds the new order, so that many entries coming or going cost no more than
    // one move each.
    InventoryArray entries;
    std::vector<ScanDepth> readTo;
    std::vector<EntryId> ids;
    const std::size_t count = entries_.size() - changes.removed.size() + added.size();
    entries.reserve(count);
    readTo.reserve(count);
    ids.reserve(count);
    std::size_t next = 0; // into added
    for (std::size_t i = 0; i <= entries_.size(); ++i) {
        for (; next < added.size() && insertAt[next] == i; ++next) {
            const auto id = static_cast<EntryId>(positions_.size());
            positions_.push_back(entries.size());
            changes.added.push_back(id);
            entries.push_back(std::move(added[next]));
            readTo.push_back(ScanDepth::Everything);
            ids.push_back(id);
        }
        if (i == entries_.size() || gone[i]) continue;
        positions_[ids_[i]] = entries.size();
        entries.push_back(std::move(entries_[i]));
        readTo.push_back(readTo_[i]);
        ids.push_back(ids_[i]);
    }
    entries_ = std::move(entries);
    readTo_ = std::move(readTo);
    ids_ = std::move(ids);
    return true;
}

} // namespace remvana
