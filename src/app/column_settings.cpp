#include "app/column_settings.h"

#include "settings/settings_store.h"

namespace remvana {

ColumnLayout readColumnLayout(RegistryFactory& registry) {
    const std::optional<std::string> stored =
        ReadRegText(registry, kSettingsKey, kListColumnsValue);
    return stored ? ColumnLayout::fromText(*stored) : ColumnLayout();
}

void saveColumnLayout(RegistryFactory& registry, const ColumnLayout& layout) {
    WriteRegText(registry, kSettingsKey, kListColumnsValue, layout.text());
}

} // namespace remvana
