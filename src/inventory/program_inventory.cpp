#include "inventory/program_inventory.h"

#include <string>
#include <utility>

namespace remvana {

ProgramInventory Inventory;

void ProgramInventory::clear() {
    entries_.clear();
    readTo_.clear();
}

EntryId ProgramInventory::add(TAppInfo whole) {
    entries_.push_back(std::move(whole));
    readTo_.push_back(ScanDepth::Everything);
    return static_cast<EntryId>(entries_.size() - 1);
}

void ProgramInventory::check(EntryId id) const {
    if (id >= entries_.size()) throw std::out_of_range("no inventory entry " + std::to_string(id));
}

ListedEntry ProgramInventory::listed(EntryId id) const {
    check(id);
    return ListedEntry(entries_[id], readTo_[id] == ScanDepth::DisplayNames);
}

std::optional<EntryId> ProgramInventory::find(const UninstallStore& store,
                                              const std::string& keyName) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].Store == store && entries_[i].KeyName == keyName)
            return static_cast<EntryId>(i);
    return std::nullopt;
}

} // namespace remvana
