#pragma once
// The program list's column choice kept under the program's settings key, so that the
// columns the user chose, ordered and sized come back at the next start.
#include "inventory/column_layout.h"
#include "platform/registry.h"

namespace remvana {

// The stored layout; the default one when none is stored or what is stored is damaged.
ColumnLayout readColumnLayout(RegistryFactory& registry);
void saveColumnLayout(RegistryFactory& registry, const ColumnLayout& layout);

} // namespace remvana
