#include "actions/product_links.h"

#include <string>

#include "platform/shell.h"

namespace remvana {

std::string_view productLinkTarget(ProductLink link) {
    switch (link) {
    case ProductLink::HomePage:
        return kProductHomePage;
    case ProductLink::SupportMail:
        return kSupportMailTarget;
    case ProductLink::SuggestFeature:
        return kSuggestFeaturePage;
    case ProductLink::Lumvex:
        return kLumvexPage;
    }
    return {};
}

void openProductLink(ProductLink link, Shell& shell) {
    shell.openTarget(std::string(productLinkTarget(link)));
}

} // namespace remvana
