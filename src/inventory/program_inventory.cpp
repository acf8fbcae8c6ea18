#include "inventory/program_inventory.h"

#include <numeric>
#include <string>
#include <utility>

#include "inventory/refresh.h"

namespace remvana {

ProgramInventory Inventory;

ProgramInventory::ProgramInventory() = default;
// Out of line: OpenStore is complete only here.
ProgramInventory::~ProgramInventory() = default;

void ProgramInventory::clear() {
    entries_.clear();
    reading_.clear();
    pending_ = 0;
    completing_.clear();
    numberAfresh();
}

void ProgramInventory::swap(ProgramInventory& other) noexcept {
    entries_.swap(other.entries_);
    reading_.swap(other.reading_);
    ids_.swap(other.ids_);
    positions_.swap(other.positions_);
    std::swap(pending_, other.pending_);
    completing_.swap(other.completing_);
    std::swap(registry_, other.registry_);
}

void ProgramInventory::numberAfresh() {
    ids_.resize(entries_.size());
    std::iota(ids_.begin(), ids_.end(), EntryId{0});
    positions_.resize(entries_.size());
    std::iota(positions_.begin(), positions_.end(), std::size_t{0});
}

EntryId ProgramInventory::add(TAppInfo whole) {
    const auto id = static_cast<EntryId>(positions_.size());
    entries_.push_back(std::move(whole));
    reading_.emplace_back();
    ids_.push_back(id);
    positions_.push_back(entries_.size() - 1);
    return id;
}

std::size_t ProgramInventory::positionOf(EntryId id) const {
    if (!holds(id)) throw std::out_of_range("no inventory entry " + std::to_string(id));
    return positions_[id];
}

ListedEntry ProgramInventory::listed(EntryId id) const {
    const std::size_t at = positionOf(id);
    return ListedEntry(entries_[at], reading_[at].readTo == ScanDepth::DisplayNames);
}

std::optional<EntryId> ProgramInventory::find(const UninstallStore& store,
                                              const std::string& keyName) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].Store == store && entries_[i].KeyName == keyName) return ids_[i];
    return std::nullopt;
}

} // namespace remvana
