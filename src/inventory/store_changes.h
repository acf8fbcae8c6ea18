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
#include "inventory/program_inventory.h"
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

// What ProgramInventory::update did, by entry id.
struct InventoryChanges {
    std::vector<EntryId> added;
    std::vector<EntryId> removed; // no longer held
    std::vector<EntryId> changed;
    // Changed or removed by another program but kept as they were (see KeepAsItIs).
    std::vector<EntryId> keptAsTheyWere;
    bool any() const {
        return !added.empty() || !removed.empty() || !changed.empty() || !keptAsTheyWere.empty();
    }
};

// ProgramInventory::update compares the stores' subkeys with what the inventory was read
// from and applies the difference: gone entries leave, changed ones are read again in place
// and new ones put in their place of the name order, both as the start reads them (what the
// list shows, the rest when the entry is first reached whole, as a full scan reads it).
// Entries nothing happened to are not touched, and keep what they have not read yet for
// later. A store that can no longer be opened loses its entries, as a refresh would.

} // namespace remvana
