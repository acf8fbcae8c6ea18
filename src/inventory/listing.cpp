#include "inventory/listing.h"

#include <algorithm>
#include <numeric>

namespace remvana {

namespace {

// `indices` in the inventory's order.
template <typename Index, typename Entries>
std::vector<Index> listOrderOf(const std::vector<Index>& indices, const Entries& listedAt,
                               Locale& locale) {
    std::vector<Index> order;
    for (const Index i : indices)
        if (isListed(listedAt(i))) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](Index a, Index b) {
        return listNameLess(locale, captionOf(listedAt(a)), captionOf(listedAt(b)));
    });
    return order;
}

} // namespace

std::vector<std::size_t> listedInListOrder(const InventoryArray& inventory, Locale& locale) {
    std::vector<std::size_t> indices(inventory.size());
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    return listOrderOf(
        indices, [&](std::size_t i) { return ListedEntry(inventory[i]); }, locale);
}

std::vector<EntryId> listedInListOrder(const ProgramInventory& inventory, Locale& locale) {
    return listOrderOf(
        inventory.ids(), [&](EntryId id) { return inventory.listed(id); }, locale);
}

} // namespace remvana
