#pragma once
// Bringing Inventory up to date after another program changed the stores, without reading
// them all again: each store's enumeration carries every subkey's last-write time, and only
// the entries whose key or usage-record key is new, gone or was written since it was read
// are read (or dropped).
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "inventory/app_info.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace remvana {

inline constexpr const char* kChangedElsewhereText =
    "This entry was changed by another program; Refresh shows its new values";

// An entry as the window finds it again: by store and key name.
struct EntryAddress {
    UninstallStore store;
    std::string keyName;
    friend bool operator==(const EntryAddress&, const EntryAddress&) = default;
};

struct InventoryChanges {
    std::vector<EntryAddress> added;
    std::vector<EntryAddress> removed;
    std::vector<EntryAddress> changed;
    // Changed or removed by another program but kept as they were (see updateInventory).
    std::vector<EntryAddress> keptAsTheyWere;
    bool any() const {
        return !added.empty() || !removed.empty() || !changed.empty() || !keptAsTheyWere.empty();
    }
};

// Entries for which this says true are kept as they are when their keys changed or went
// (edits not written yet would be lost), and marked ChangedElsewhere.
using KeepAsItIs = std::function<bool(const TAppInfo&)>;

// Compares the stores' subkeys with what the inventory was read from and applies the
// difference: gone entries leave, changed ones are read again in place (everything, as a
// full scan reads it), new ones are read and put in their place of the name order. Entries
// nothing happened to are not touched. A store that can no longer be opened loses its
// entries, as a refresh would. False, with `inventory` untouched, when no store can be
// opened at all.
bool updateInventory(RegistryFactory& registry, Locale& locale, InventoryArray& inventory,
                     const KeepAsItIs& keepAsItIs, InventoryChanges& changes);

} // namespace remvana
