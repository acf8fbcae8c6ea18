#pragma once
// Which entries of Inventory are programs the user sees, and in which order: the one rule
// behind the window's list, the audit report's choice of entries and the command line.
#include <cstddef>
#include <vector>

#include "inventory/app_info.h"
#include "inventory/program_inventory.h"
#include "platform/locale.h"

namespace remvana {

// An entry is listed when it has a display name, or when its subkey could not be read (so
// that it can still be deleted); the others stay in Inventory unseen.
inline bool isListed(const ListedEntry& info) {
    return !info.displayName().empty() || info.keyUnreadable();
}

// The name the list shows: the display name, else the key name.
inline const std::string& captionOf(const ListedEntry& info) {
    return info.displayName().empty() ? info.keyName() : info.displayName();
}

// The indices (ids) of the listed entries in the program list's order: by caption in the
// locale's order, entries with equal captions in Inventory order.
std::vector<std::size_t> listedInListOrder(const InventoryArray& inventory, Locale& locale);
std::vector<EntryId> listedInListOrder(const ProgramInventory& inventory, Locale& locale);

} // namespace remvana
