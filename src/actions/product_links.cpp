#include "actions/product_links.h"

#include <string>

#include "platform/shell.h"

namespace remvana {

std::string_view productLinkTarget(ProductLink link) {
    switch (link) {
    case ProductLink::HomePage:
        return kProductSiteAddress;
    case ProductLink::SupportMail:
        return kProductMailToAddress;
    case ProductLink::SuggestFeature:
        return kProductSuggestAddress;
    case ProductLink::Lumvex:
        return kProductLumvexAddress;
    }
    return {};
}

void openProductLink(ProductLink link, Shell& shell) {
    shell.openTarget(std::string(productLinkTarget(link)));
}

} // namespace remvana
