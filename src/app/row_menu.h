#pragma once
// The context menu of a program's row: the entry actions of the tool bar, each enabled as
// its button is, then copying the row's report block and opening its install location.
#include <string>
#include <vector>

#include "details/details_markup.h"

namespace remvana {

enum class RowCommand { Remove, Change, Repair, DeleteEntry, Copy, OpenInstallLocation };

struct RowMenuItem {
    RowCommand command;
    std::string caption;
    bool enabled = true;
    bool operator==(const RowMenuItem&) const = default;
};

// The items for a row whose selection enables `buttons`; "Open install location" is enabled
// only when the entry names a folder that exists (installLocationFolder).
std::vector<RowMenuItem> rowMenuItems(const DetailsButtons& buttons, bool hasInstallLocation);

} // namespace remvana
