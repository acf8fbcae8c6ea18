#include "inventory/row_icons.h"

#include <algorithm>
#include <optional>

#include "platform/conversion.h"

namespace remvana {

bool mayHaveRowIcon(const ListedEntry& info) {
    return !info.displayIcon().empty() || info.usageRecord().hasName() != 0;
}

int RowIcons::imageOf(const ListedEntry& info) {
    if (!info.displayIcon().empty()) return imageOfIconString(info.displayIcon());
    if (!mayHaveRowIcon(info)) return 0;
    const std::string imagePath = info.usageRecord().imagePath();
    if (!shell_.fileExists(imagePath)) return 0;
    return imageOfIconString(imagePath);
}

void RowIcons::forget() {
    extracted_.clear();
    library_.clear();
}

int RowIcons::imageOfIconString(const std::string& iconString) {
    IconPlan plan;
    try {
        plan = PlanFileIcon(shell_, registry_, iconString);
    } catch (const ConversionError&) {
        // An icon index that is no number costs this row its icon, not the whole list.
        return 0;
    }
    // The list asks for the large icon only, and a shortcut has none.
    if (plan.shortcut) return 0;
    if (plan.hasOwn) {
        if (const std::optional<int> image = imageOfSource(plan.own)) return *image;
    }
    if (library_.empty()) library_ = shellIconLibrary(shell_);
    return imageOfSource({library_, plan.fallbackIndex}).value_or(0);
}

std::optional<int> RowIcons::imageOfSource(const IconPlan::Source& source) {
    if (const auto known = extracted_.find(source); known != extracted_.end()) return known->second;
    IconHandle extracted = 0;
    const bool found = shell_.extractIconAt(source.file, source.index, iconSize_, &extracted) == 1;
    // The image list holds its own copy; ours goes whatever happens.
    const ShellIcon icon(shell_, extracted);
    std::optional<int> image;
    if (found) image = icon.get() ? std::max(images_.addImage(icon.get()), 0) : 0;
    extracted_.emplace(source, image);
    return image;
}

} // namespace remvana
