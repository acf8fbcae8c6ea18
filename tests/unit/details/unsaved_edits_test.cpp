#include <gtest/gtest.h>

#include "details/entry_facts.h"
#include "details/property_edits.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "inventory/refresh.h"
#include "inventory/store_changes.h"

namespace remvana {
namespace {

const std::string kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill";
const FakeHive kHive{RegRoot::LocalMachine, RegView::Bits64};

TEST(UnsavedEdits, SurviveAnotherProgramsChangeAndAreNoticedUntilWritten) {
    FakeRegistryFactory reg;
    FakeLocale locale;
    reg.setString(kHive, kKey, "DisplayName", "Quillmark Notes");
    reg.setString(kHive, kKey, "Publisher", "Quill Works");
    InventoryArray inventory;
    ASSERT_TRUE(rebuildInventory(reg, locale, inventory));
    TAppInfo& entry = inventory[0];
    ASSERT_TRUE(recordPropertyEdit(&entry, "Publisher", "Quillmark Ltd"));

    reg.setString(kHive, kKey, "DisplayVersion", "2.0"); // an updater, say
    InventoryChanges changes;
    ASSERT_TRUE(updateInventory(reg, locale, inventory, hasUnsavedEdits, changes));
    EXPECT_EQ("Quillmark Ltd", inventory[0].PendingPublisher);
    EXPECT_NE(std::string::npos,
              entryFactsMarkup(inventory[0], locale).find(kChangedElsewhereText));

    writePendingProperties(reg, inventory[0], {});
    EXPECT_EQ(std::string::npos,
              entryFactsMarkup(inventory[0], locale).find(kChangedElsewhereText));
    // The next look at the stores reads the entry afresh: both changes are there.
    ASSERT_TRUE(updateInventory(reg, locale, inventory, hasUnsavedEdits, changes));
    EXPECT_EQ("Quillmark Ltd", inventory[0].Publisher);
    EXPECT_EQ("2.0", inventory[0].DisplayVersion);
}

} // namespace
} // namespace remvana
