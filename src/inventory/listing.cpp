#include "inventory/listing.h"

#include <algorithm>

namespace remvana {

namespace {

template <typename Index, typename Entries>
std::vector<Index> listOrderOf(std::size_t count, const Entries& listedAt, Locale& locale) {
    std::vector<Index> order;
    for (std::size_t i = 0; i < count; ++i)
        if (isListed(listedAt(static_cast<Index>(i)))) order.push_back(static_cast<Index>(i));
    std::stable_sort(order.begin(), order.end(), [&](Index a, Index b) {
        return listNameLess(locale, captionOf(listedAt(a)), captionOf(listedAt(b)));
    });
    return order;
}

} // namespace

std::vector<std::size_t> listedInListOrder(const InventoryArray& inventory, Locale& locale) {
    return listOrderOf<std::size_t>(
        inventory.size(), [&](std::size_t i) { return ListedEntry(inventory[i]); }, locale);
}

std::vector<EntryId> listedInListOrder(const ProgramInventory& inventory, Locale& locale) {
    return listOrderOf<EntryId>(
        inventory.size(), [&](EntryId id) { return inventory.listed(id); }, locale);
}

} // namespace remvana
