#include <gtest/gtest.h>

#include "actions/action_errors.h"
#include "details/property_edits.h"
#include "fakes/fake_registry.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

TAppInfo loadedEntry() {
    TAppInfo entry;
    entry.KeyName = "Foo";
    entry.DisplayName = "Foo App";
    entry.Publisher = "Old Corp";
    entry.Contact = "me";
    return entry;
}

TEST(PropertyEditRecording, OnlyEditsThatDifferFromTheLoadedValueArePending) {
    TAppInfo entry = loadedEntry();
    EXPECT_FALSE(recordPropertyEdit(&entry, "Publisher", "Old Corp"));
    EXPECT_EQ("", entry.PendingPublisher);

    EXPECT_TRUE(recordPropertyEdit(&entry, "Publisher", "New Corp"));
    EXPECT_EQ("New Corp", entry.PendingPublisher);
    EXPECT_EQ("Old Corp", entry.Publisher);

    // Back to the stored text: nothing recorded, the earlier edit stays pending.
    EXPECT_FALSE(recordPropertyEdit(&entry, "Publisher", "Old Corp"));
    EXPECT_EQ("New Corp", entry.PendingPublisher);

    // A property not shown (empty loaded value) still takes an edit; "?" is a value.
    EXPECT_TRUE(recordPropertyEdit(&entry, "HelpLink", "?"));
    EXPECT_EQ("?", entry.PendingHelpLink);
}

TEST(PropertyEditRecording, NamesAreExactAndNothingIsRecordedWithoutEntryOrValue) {
    TAppInfo entry = loadedEntry();
    EXPECT_FALSE(recordPropertyEdit(&entry, "publisher", "X"));
    EXPECT_FALSE(recordPropertyEdit(&entry, "InstallLocation", "X"));
    EXPECT_FALSE(recordPropertyEdit(&entry, "Publisher", ""));
    EXPECT_FALSE(recordPropertyEdit(nullptr, "Publisher", "X"));
    EXPECT_EQ("", entry.PendingPublisher);
    EXPECT_TRUE(entry.InstallLocation.empty());
}

class PropertyWriteBack : public ::testing::Test {
  protected:
    void SetUp() override {
        registry.setString(RegRoot::LocalMachine, kStore + "Foo", "DisplayName", "Foo App");
        registry.setString(RegRoot::LocalMachine, kStore + "Foo", "Publisher", "Old Corp");
        registry.setDword(RegRoot::LocalMachine, kStore + "Foo", "NoModify", 1);
        registry.setString(RegRoot::LocalMachine, kStore + "Other", "Publisher", "Other Corp");
    }
    std::optional<std::string> stored(const std::string& name, const std::string& key = "Foo") {
        return registry.text(RegRoot::LocalMachine, kStore + key, name);
    }
    void write() {
        writePendingProperties(registry, entry, [&](const std::string& name) {
            renames.push_back(name);
            // The new name is already the loaded one when the row is renamed.
            EXPECT_EQ(name, entry.DisplayName);
        });
    }

    FakeRegistryFactory registry;
    TAppInfo entry = loadedEntry();
    std::vector<std::string> renames;
};

TEST_F(PropertyWriteBack, WritesPendingValuesAsTextAndLeavesTheRestAlone) {
    // Edited in reverse table order; written in table order all the same.
    recordPropertyEdit(&entry, "HelpLink", "?");
    recordPropertyEdit(&entry, "Contact", "you");
    recordPropertyEdit(&entry, "Publisher", "A & B");
    write();
    auto publisher = registry.value(RegRoot::LocalMachine, kStore + "Foo", "Publisher");
    ASSERT_TRUE(publisher);
    EXPECT_EQ(reg_type::String, publisher->type);
    EXPECT_EQ("A & B", stored("Publisher"));
    EXPECT_EQ("?", stored("HelpLink"));
    EXPECT_EQ("Foo App", stored("DisplayName"));
    EXPECT_EQ("Other Corp", stored("Publisher", "Other"));
    EXPECT_EQ("A & B", entry.Publisher);
    EXPECT_EQ("A & B", entry.PendingPublisher); // kept: written again by a later click
    EXPECT_TRUE(renames.empty());
    EXPECT_EQ(
        (std::vector<std::string>{"DisplayName", "Publisher", "NoModify", "Contact", "HelpLink"}),
        registry.valueNames(RegRoot::LocalMachine, kStore + "Foo"));
}

TEST_F(PropertyWriteBack, RepeatClicksWriteEveryPendingValueAgainAndRenameTheRow) {
    recordPropertyEdit(&entry, "DisplayName", "Zed App");
    write();
    EXPECT_EQ("Zed App", stored("DisplayName"));
    EXPECT_EQ((std::vector<std::string>{"Zed App"}), renames);

    // Someone else changes the name behind our back; the next click writes ours again.
    registry.setString(RegRoot::LocalMachine, kStore + "Foo", "DisplayName", "Theirs");
    recordPropertyEdit(&entry, "Contact", "you");
    write();
    EXPECT_EQ("Zed App", stored("DisplayName"));
    EXPECT_EQ("you", stored("Contact"));
    EXPECT_EQ(2u, renames.size());
}

TEST_F(PropertyWriteBack, AFailingWriteKeepsEarlierValuesAndLosesNoLaterOne) {
    recordPropertyEdit(&entry, "DisplayName", "Zed App");
    recordPropertyEdit(&entry, "Publisher", "New Corp");
    recordPropertyEdit(&entry, "URLUpdateInfo", "http://u");
    // Writes through an open that succeeded, then stop being allowed after the first one.
    registry.denyWrite(RegRoot::LocalMachine, kStore + "Foo");
    try {
        write();
        FAIL() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ("Failed to set data for 'DisplayName'", e.what());
    }
    EXPECT_EQ("Foo App", entry.DisplayName);
    EXPECT_EQ("Zed App", entry.PendingDisplayName);
    EXPECT_EQ("New Corp", entry.PendingPublisher);
    EXPECT_TRUE(renames.empty());
    EXPECT_EQ("Foo App", stored("DisplayName"));
}

TEST_F(PropertyWriteBack, ASubkeyThatCannotBeOpenedForWritingGetsNothingAnywhere) {
    recordPropertyEdit(&entry, "Publisher", "New Corp");
    recordPropertyEdit(&entry, "Contact", "you");
    registry.denyFullAccess(RegRoot::LocalMachine, kStore + "Foo");
    EXPECT_THROW(
        {
            try {
                write();
            } catch (const RegistryError& e) {
                EXPECT_STREQ("Failed to set data for 'Publisher'", e.what());
                throw;
            }
        },
        RegistryError);
    EXPECT_EQ("Old Corp", stored("Publisher"));
    EXPECT_EQ("Old Corp", entry.Publisher);
    EXPECT_EQ("New Corp", entry.PendingPublisher);
    // Nothing landed in the store key or the root either.
    EXPECT_TRUE(registry.valueNames(RegRoot::LocalMachine, kStore).empty());
    EXPECT_TRUE(registry.valueNames(RegRoot::LocalMachine, "").empty());
}

TEST_F(PropertyWriteBack, GoneOrStrangeKeyNamesNeverReachAnotherKey) {
    for (std::string keyName :
         std::vector<std::string>{"Gone", "", "..", "Foo\\Sub", std::string("Foo\0x", 5)}) {
        TAppInfo other = loadedEntry();
        other.KeyName = keyName;
        recordPropertyEdit(&other, "Contact", "you");
        // A gone key fails its open; the other names are refused before any open.
        if (keyName == "Gone")
            EXPECT_THROW(writePendingProperties(registry, other, nullptr), RegistryError);
        else
            EXPECT_THROW(writePendingProperties(registry, other, nullptr), ActionError) << keyName;
        EXPECT_EQ("me", other.Contact);
    }
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "Gone"));
    EXPECT_FALSE(stored("Contact"));
    EXPECT_TRUE(registry.valueNames(RegRoot::LocalMachine, kStore).empty());
}

TEST_F(PropertyWriteBack, AClearedPropertyIsWrittenAsEmptyText) {
    EXPECT_FALSE(recordPropertyEdit(&entry, "HelpLink", "?", "?")); // empty already
    EXPECT_TRUE(recordPropertyEdit(&entry, "Publisher", "?", "?"));
    write();
    EXPECT_EQ("", stored("Publisher"));
    EXPECT_EQ("", entry.Publisher);
    EXPECT_FALSE(stored("HelpLink"));
    // A later real edit of the same property replaces the clear.
    EXPECT_TRUE(recordPropertyEdit(&entry, "Publisher", "Back Corp", "?"));
    write();
    EXPECT_EQ("Back Corp", stored("Publisher"));
}

TEST_F(PropertyWriteBack, WritesOnlyIntoTheEntrysOwnStore) {
    registry.setString(RegRoot::CurrentUser, kStore + "Foo", "Publisher", "My Corp");
    entry.Store = kUserStore;
    recordPropertyEdit(&entry, "Publisher", "New Corp");
    write();
    EXPECT_EQ("New Corp", registry.text(RegRoot::CurrentUser, kStore + "Foo", "Publisher"));
    EXPECT_EQ("Old Corp", stored("Publisher"));
}

TEST_F(PropertyWriteBack, ARefusalWithoutAdministratorRightsSaysTheyAreNeeded) {
    registry.denyFullAccess(RegRoot::LocalMachine, kStore + "Foo");
    registry.elevatedProcess = false;
    recordPropertyEdit(&entry, "Publisher", "New Corp");
    try {
        write();
        FAIL() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ("Failed to set data for 'Publisher'. For this action, administrator rights "
                     "are needed.",
                     e.what());
    }
}

TEST_F(PropertyWriteBack, NothingPendingTouchesNothing) {
    registry.denyFullAccess(RegRoot::LocalMachine, kStore + "Foo");
    EXPECT_NO_THROW(write());
    registry.calls = {};
    entry.KeyName = "Gone";
    EXPECT_NO_THROW(write());
    EXPECT_EQ(0, registry.calls.opens);
}

} // namespace
} // namespace remvana
