#pragma once
// The quick scan behind the command line's plain list: only the key names and display
// names, read-only, nothing else of any entry.
#include "inventory/app_info.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace remvana {

// Fills `inventory` as a refresh would, but each element gets only its KeyName and its
// DisplayName (by the refresh's rule for text values). False, with `inventory` empty, when
// the store cannot be opened for reading.
bool readDisplayNames(RegistryFactory& registry, Locale& locale, InventoryArray& inventory);

} // namespace remvana
