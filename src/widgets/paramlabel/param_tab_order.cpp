#include "widgets/paramlabel/param_tab_order.h"

#include "widgets/paramlabel/param_lookup.h"

namespace remvana {

std::vector<AnchorKind> anchorKinds(const std::string& markup, bool clickHandled) {
    std::vector<AnchorKind> kinds;
    const int count = ParamAnchorCount(markup);
    for (int i = 0; i < count; ++i) {
        std::string href = ParamAnchorHref(markup, i);
        std::optional<ParamAnchor> anchor =
            href.empty() ? std::nullopt : findParamAnchor(markup, href);
        if (!anchor)
            kinds.push_back(AnchorKind::Inert);
        else if (!anchor->cls.empty())
            kinds.push_back(AnchorKind::Editable);
        else
            kinds.push_back(clickHandled ? AnchorKind::Link : AnchorKind::Inert);
    }
    return kinds;
}

std::optional<int> nextTabStop(const std::vector<AnchorKind>& kinds, int current, bool forward) {
    const int count = static_cast<int>(kinds.size());
    const int step = forward ? 1 : -1;
    // From outside the range the walk starts at the near end.
    int i = current < -1 ? -1 : current > count ? count : current;
    for (i += step; i >= 0 && i < count; i += step)
        if (isTabStop(kinds[static_cast<std::size_t>(i)])) return i;
    return std::nullopt;
}

std::optional<int> entryTabStop(const std::vector<AnchorKind>& kinds, bool forward) {
    return nextTabStop(kinds, forward ? -1 : static_cast<int>(kinds.size()), forward);
}

} // namespace remvana
