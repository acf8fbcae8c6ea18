#include "inventory/display_names.h"

#include "inventory/refresh.h"

namespace remvana {

bool readDisplayNames(RegistryFactory& registry, Locale& locale, InventoryArray& inventory) {
    inventory.clear();
    const std::unique_ptr<Registry> reg = registry.create(RegRoot::LocalMachine, reg_access::Read);
    if (!reg->openKeyReadOnly(kUninstallStorePath)) return false;
    const std::vector<std::string> names = sortedUniqueNames(reg->subkeyNames(), locale);
    reg->closeKey();

    inventory.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        TAppInfo& info = inventory[i];
        info.KeyName = names[i];
        if (!reg->openKeyReadOnly(kUninstallEntryPrefix + names[i] + "\\")) continue;
        const ValueKind kind = reg->valueKind("DisplayName");
        if (kind == ValueKind::String || kind == ValueKind::ExpandString)
            info.DisplayName = reg->readText("DisplayName");
        reg->closeKey();
    }
    return true;
}

} // namespace remvana
