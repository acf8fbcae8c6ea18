#include "inventory/listing.h"

#include <algorithm>

namespace remvana {

std::vector<std::size_t> listedInListOrder(const InventoryArray& inventory, Locale& locale) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < inventory.size(); ++i)
        if (isListed(inventory[i])) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return listNameLess(locale, captionOf(inventory[a]), captionOf(inventory[b]));
    });
    return order;
}

} // namespace remvana
