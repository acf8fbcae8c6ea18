#include "app/row_menu.h"

namespace remvana {

std::vector<RowMenuItem> rowMenuItems(const DetailsButtons& buttons, bool hasInstallLocation) {
    return {
        {RowCommand::Remove, "Remove", buttons.remove},
        {RowCommand::Change, "Change", buttons.change},
        {RowCommand::Repair, "Repair", buttons.repair},
        {RowCommand::DeleteEntry, "Delete Entry", buttons.deleteEntry.value_or(false)},
        {RowCommand::Copy, "Copy", true},
        {RowCommand::OpenInstallLocation, "Open install location", hasInstallLocation},
    };
}

} // namespace remvana
