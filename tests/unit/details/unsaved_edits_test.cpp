#include <gtest/gtest.h>

#include "details/details_markup.h"
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
    ProgramInventory inventory;
    ASSERT_TRUE(inventory.rebuild(reg, locale));
    TAppInfo& entry = inventory.entry(0);
    ASSERT_TRUE(recordPropertyEdit(&entry, "Publisher", "Quillmark Ltd"));

    reg.setString(kHive, kKey, "DisplayVersion", "2.0"); // an updater, say
    InventoryChanges changes;
    ASSERT_TRUE(inventory.update(reg, locale, hasUnsavedEdits, changes));
    EXPECT_EQ("Quillmark Ltd", inventory.entry(0).PendingPublisher);
    EXPECT_NE(std::string::npos,
              entryFactsMarkup(inventory.entry(0), locale).find(kChangedElsewhereText));
    // Shown again with the line, the details still show what was typed.
    EXPECT_NE(std::string::npos,
              buildDetailsMarkup(inventory.entry(0), EditsShown::Typed).find("Quillmark Ltd"));

    writePendingProperties(reg, inventory.entry(0), {});
    EXPECT_EQ(std::string::npos,
              entryFactsMarkup(inventory.entry(0), locale).find(kChangedElsewhereText));
    // The next look at the stores reads the entry afresh: both changes are there.
    ASSERT_TRUE(inventory.update(reg, locale, hasUnsavedEdits, changes));
    EXPECT_EQ("Quillmark Ltd", inventory.entry(0).Publisher);
    EXPECT_EQ("2.0", inventory.entry(0).DisplayVersion);
}

} // namespace
} // namespace remvana
