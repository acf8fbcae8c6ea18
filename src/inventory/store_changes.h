#pragma once
// Bringing Inventory up to date after another program changed the stores, without reading
// them all again: each store's enumeration carries every subkey's last-write time, and only
// the entries whose key or usage-record key is new, gone or was written since it was read
// are read (or dropped).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "inventory/app_info.h"
#include "inventory/program_inventory.h"
#include "inventory/refresh.h"
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

// What the stores hold now, read apart from any inventory: for each store its open keys and
// its subkeys by name as the registry compares names, each with its last-write time. This is
// the part of an update that grows with the number of entries, so the window has it read on
// the store watch's thread and applies it on its own (see StoresNowHandoff).
struct StoreNow {
    std::optional<OpenStore> open; // empty when the store cannot be opened
    std::unordered_map<std::string, SubkeyStamp> subkeys;
};
struct StoresNow {
    std::vector<UninstallStore> stores;
    std::vector<StoreNow> now; // parallel to stores
};
// Only opens and enumerates; safe on any thread with a factory that is.
StoresNow readStoresNow(RegistryFactory& registry);

// Carries readings of the stores from the thread that reads them to the window's. A reading
// that began before the window last read the stores whole may miss what that read saw (or
// hold what it no longer saw), so it is dropped, and whoever takes it is told to have the
// stores read again.
class StoresNowHandoff {
  public:
    enum class Outcome { Nothing, Fresh, Dropped, Failed };
    struct Taken {
        Outcome outcome = Outcome::Nothing;
        std::optional<StoresNow> stores; // with Fresh
    };
    // Any thread: taken right before a reading starts, and offered with it.
    std::uint64_t mark() const;
    // Any thread; replaces one not taken yet. Without stores the reading failed.
    void offer(std::uint64_t mark, std::optional<StoresNow> stores);
    // The window's thread: it has read the stores whole, so every reading begun before is old.
    void storesRead();
    // The window's thread: the newest reading offered, once.
    Taken take();

  private:
    mutable std::mutex mutex_;
    std::uint64_t reads_ = 0; // the window's whole reads so far
    bool offered_ = false;
    std::uint64_t offeredMark_ = 0;
    std::optional<StoresNow> stores_;
};

// ProgramInventory::update compares the stores' subkeys with what the inventory was read
// from and applies the difference: gone entries leave, changed ones are read again in place
// and new ones put in their place of the name order, both as the start reads them (what the
// list shows, the rest when the entry is first reached whole, as a full scan reads it).
// Entries nothing happened to are not touched, and keep what they have not read yet for
// later. A store that can no longer be opened loses its entries, as a refresh would.

} // namespace remvana
