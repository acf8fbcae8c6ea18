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

bool updateInventory(RegistryFactory& registry, Locale& locale, InventoryArray& inventory,
                     const KeepAsItIs& keepAsItIs, InventoryChanges& changes) {
    const std::vector<UninstallStore> stores = uninstallStoresOf(registry);
    std::vector<StoreNow> now = readStores(registry, stores);
    if (std::none_of(now.begin(), now.end(), [](const StoreNow& s) { return s.open.has_value(); }))
        return false;

    std::vector<bool> gone(inventory.size(), false);
    for (std::size_t i = 0; i < inventory.size(); ++i) {
        TAppInfo& entry = inventory[i];
        const EntryAddress address{entry.Store, entry.KeyName};
        const std::size_t s = storeIndexOf(stores, entry.Store);
        StoreNow* store = s < now.size() && now[s].open ? &now[s] : nullptr;
        if (const std::optional<SubkeyStamp> key =
                store ? takeSubkey(*store, entry.KeyName) : std::nullopt) {
            const bool unchanged =
                key->lastWrite == entry.KeyWriteTime &&
                store->open->usageTimes.of(entry.KeyName) == entry.UsageWriteTime;
            if (unchanged) continue;
            if (keepAsItIs && keepAsItIs(entry)) {
                entry.ChangedElsewhere = true;
                changes.keptAsTheyWere.push_back(address);
                continue;
            }
            entry = readEntryNow(*store, *key);
            changes.changed.push_back(address);
        } else if (keepAsItIs && keepAsItIs(entry)) {
            entry.ChangedElsewhere = true;
            changes.keptAsTheyWere.push_back(address);
        } else {
            gone[i] = true;
            changes.removed.push_back(address);
        }
    }
    std::size_t index = 0;
    std::erase_if(inventory, [&](const TAppInfo&) { return gone[index++]; });

    // New keys go where a full scan would have put them: name order in the user's locale,
    // equal names in the stores' reading order.
    const auto before = [&](const TAppInfo& a, const TAppInfo& b) {
        const int order = locale.compareIgnoreCase(a.KeyName, b.KeyName);
        if (order != 0) return order < 0;
        return storeIndexOf(stores, a.Store) < storeIndexOf(stores, b.Store);
    };
    for (StoreNow& store : now) {
        if (!store.open) continue;
        std::vector<SubkeyStamp> added;
        for (auto& [name, stamp] : store.subkeys)
            added.push_back(std::move(stamp));
        for (const SubkeyStamp& key : added) {
            TAppInfo info = readEntryNow(store, key);
            changes.added.push_back(EntryAddress{info.Store, info.KeyName});
            const auto at = std::upper_bound(inventory.begin(), inventory.end(), info, before);
            inventory.insert(at, std::move(info));
        }
    }
    return true;
}

} // namespace remvana
