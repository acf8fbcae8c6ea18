#include "app/row_menu.h"

#include <gtest/gtest.h>

namespace remvana {
namespace {

TEST(RowMenu, ActionsAreEnabledAsTheirButtonsAndTheFolderOnlyWhenThereIsOne) {
    DetailsButtons buttons;
    buttons.remove = true;
    buttons.repair = false;
    buttons.change = true;
    buttons.deleteEntry = true;
    using enum RowCommand;
    EXPECT_EQ((std::vector<RowMenuItem>{{Remove, "Remove", true},
                                        {Change, "Change", true},
                                        {Repair, "Repair", false},
                                        {DeleteEntry, "Delete Entry", true},
                                        {Copy, "Copy", true},
                                        {OpenInstallLocation, "Open install location", true}}),
              rowMenuItems(buttons, true));

    // An entry whose key cannot be addressed, with no folder, offers nothing but its text.
    const std::vector<RowMenuItem> bare = rowMenuItems(DetailsButtons{}, false);
    ASSERT_EQ(6u, bare.size());
    for (const RowMenuItem& item : bare)
        EXPECT_EQ(item.command == Copy, item.enabled) << item.caption;
}

} // namespace
} // namespace remvana
