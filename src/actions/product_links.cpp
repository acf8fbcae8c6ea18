#include "actions/product_links.h"

#include <string>

#include "app/layout.h"
#include "platform/shell.h"

namespace remvana {

std::string_view productLinkTarget(ProductLink link) {
    switch (link) {
    case ProductLink::HomePage:
        return layout::kSiteAddress;
    case ProductLink::SupportMail:
        return layout::kMailToAddress;
    case ProductLink::SuggestFeature:
        return layout::kSuggestAddress;
    case ProductLink::Lumvex:
        return layout::kLumvexAddress;
    }
    return {};
}

void openProductLink(ProductLink link, Shell& shell) {
    shell.openTarget(std::string(productLinkTarget(link)));
}

} // namespace remvana
