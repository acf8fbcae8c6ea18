#include "inventory/store_changes.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "inventory/refresh.h"
#include "platform/ascii.h"

namespace remvana {
namespace {

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

// An entry read again, or new: what the list shows, the rest left to the reading that
// follows (or to whatever reaches the entry first), as after a start.
struct ReadNow {
    TAppInfo info;
    EntryRead reading;
};

ReadNow readEntryNow(const StoreNow& store, const SubkeyStamp& key) {
    ReadNow read;
    read.info.KeyName = key.name;
    read.info.KeyWriteTime = key.lastWrite;
    read.info.Store = store.open->store;
    read.reading = readStoreEntry(*store.open, read.info, ScanDepth::ListFirst);
    return read;
}

} // namespace

StoresNow readStoresNow(RegistryFactory& registry) {
    StoresNow read{uninstallStoresOf(registry), {}};
    read.now.resize(read.stores.size());
    for (std::size_t i = 0; i < read.stores.size(); ++i) {
        OpenStore open = openStore(registry, read.stores[i], true);
        if (!open.entries) continue;
        StoreNow& store = read.now[i];
        store.open = std::move(open);
        for (SubkeyStamp& stamp : store.open->entries->subkeyStamps()) {
            const std::string name = asciiLowerCased(stamp.name);
            // The first spelling seen stays, as in a full scan.
            store.subkeys.try_emplace(name, std::move(stamp));
        }
    }
    return read;
}

std::uint64_t StoresNowHandoff::mark() const {
    const std::lock_guard lock(mutex_);
    return reads_;
}

void StoresNowHandoff::offer(std::uint64_t mark, std::optional<StoresNow> stores) {
    const std::lock_guard lock(mutex_);
    offered_ = true;
    offeredMark_ = mark;
    stores_ = std::move(stores);
}

void StoresNowHandoff::storesRead() {
    const std::lock_guard lock(mutex_);
    ++reads_;
}

StoresNowHandoff::Taken StoresNowHandoff::take() {
    const std::lock_guard lock(mutex_);
    Taken taken;
    if (!std::exchange(offered_, false)) return taken;
    if (offeredMark_ != reads_)
        taken.outcome = Outcome::Dropped;
    else if (!stores_)
        taken.outcome = Outcome::Failed;
    else
        taken = {Outcome::Fresh, std::move(stores_)};
    stores_.reset();
    return taken;
}

bool ProgramInventory::update(RegistryFactory& registry, Locale& locale,
                              const KeepAsItIs& keepAsItIs, InventoryChanges& changes) {
    return update(readStoresNow(registry), registry, locale, keepAsItIs, changes);
}

bool ProgramInventory::update(StoresNow read, RegistryFactory& registry, Locale& locale,
                              const KeepAsItIs& keepAsItIs, InventoryChanges& changes) {
    const std::vector<UninstallStore>& stores = read.stores;
    std::vector<StoreNow>& now = read.now;
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
            ReadNow read = readEntryNow(*store, *key);
            entry = std::move(read.info);
            reading_[i] = std::move(read.reading);
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
    std::vector<ReadNow> added;
    for (StoreNow& store : now) {
        if (!store.open) continue;
        for (const auto& [name, stamp] : store.subkeys)
            added.push_back(readEntryNow(store, stamp));
    }
    // What the update read is completed through the keys it opened.
    completing_.clear();
    for (StoreNow& store : now)
        if (store.open) completing_.push_back(std::move(*store.open));
    if (added.empty() && changes.removed.empty()) {
        countPending();
        return true;
    }
    std::sort(added.begin(), added.end(),
              [&](const ReadNow& a, const ReadNow& b) { return before(a.info, b.info); });
    // Where each new entry goes among the old ones (gone ones still counted).
    std::vector<std::size_t> insertAt;
    for (const ReadNow& read : added)
        insertAt.push_back(static_cast<std::size_t>(
            std::upper_bound(entries_.begin(), entries_.end(), read.info, before) -
            entries_.begin()));

    // One pass builds the new order, so that many entries coming or going cost no more than
    // one move each.
    InventoryArray entries;
    std::vector<EntryRead> reading;
    std::vector<EntryId> ids;
    const std::size_t count = entries_.size() - changes.removed.size() + added.size();
    entries.reserve(count);
    reading.reserve(count);
    ids.reserve(count);
    std::size_t next = 0; // into added
    for (std::size_t i = 0; i <= entries_.size(); ++i) {
        for (; next < added.size() && insertAt[next] == i; ++next) {
            const auto id = static_cast<EntryId>(positions_.size());
            positions_.push_back(entries.size());
            changes.added.push_back(id);
            entries.push_back(std::move(added[next].info));
            reading.push_back(std::move(added[next].reading));
            ids.push_back(id);
        }
        if (i == entries_.size() || gone[i]) continue;
        positions_[ids_[i]] = entries.size();
        entries.push_back(std::move(entries_[i]));
        reading.push_back(std::move(reading_[i]));
        ids.push_back(ids_[i]);
    }
    entries_ = std::move(entries);
    reading_ = std::move(reading);
    ids_ = std::move(ids);
    countPending();
    return true;
}

} // namespace remvana
