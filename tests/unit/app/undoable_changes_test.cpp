#include <gtest/gtest.h>

#include "app/undoable_changes.h"
#include "backup/reg_file.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_files.h"
#include "fakes/fake_registry.h"
#include "inventory/app_info.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class UndoableChanges : public ::testing::Test {
  protected:
    void SetUp() override {
        registry.setString(RegRoot::LocalMachine, kStore + "Beta", "DisplayName", "beta tool");
        registry.setString(RegRoot::LocalMachine, kStore + "Beta2", "DisplayName", "neighbour");
    }
    static TAppInfo entry(const std::string& keyName) {
        TAppInfo info;
        info.KeyName = keyName;
        info.DisplayName = keyName;
        info.Store = kMachineStore64;
        return info;
    }

    FakeRegistryFactory registry;
    FakeFileSystem files;
    FakeClock clock;
    ChangeServices services{registry, files, clock};
    UndoHistory history;
};

// Undo of a change that wrote nothing would "restore" what is there already.
TEST_F(UndoableChanges, UndoIsOfferedOnlyForAChangeThatWroteSomething) {
    TAppInfo refused = entry("Beta");
    refused.PendingContact = "new";
    registry.denyWrite(RegRoot::LocalMachine, kStore + "Beta");
    EXPECT_THROW(modifyPropertiesUndoably(refused, services, history, {}), RegistryError);
    EXPECT_TRUE(history.empty()) << "nothing was written";

    registry.calls.refusedValueName = "Contact";
    TAppInfo partly = entry("Beta2");
    partly.PendingDisplayName = "renamed";
    partly.PendingContact = "new";
    EXPECT_THROW(modifyPropertiesUndoably(partly, services, history, {}), RegistryError);
    ASSERT_FALSE(history.empty()) << "DisplayName was written before Contact failed";
    EXPECT_EQ("Modify Properties", history.newest().action);
}

TEST_F(UndoableChanges, ADeletionKeepsItsStepOnlyWhenItRemovedSomething) {
    const TAppInfo gone = entry("Gone"), beta = entry("Beta");
    EXPECT_EQ(1u, deleteEntriesUndoably({&gone}, services, history).size());
    EXPECT_TRUE(history.empty()) << "another program had removed it";

    EXPECT_TRUE(deleteEntriesUndoably({&beta}, services, history).empty());
    ASSERT_FALSE(history.empty());
    EXPECT_TRUE(history.newest().entries[0].entryRemoved);
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "Beta"));
}

// All of them backed up before any is deleted, and one Undo for all.
TEST_F(UndoableChanges, DeletingSeveralEntriesIsOneStepThatUndoesThemAll) {
    registry.setString(RegRoot::LocalMachine, kStore + "Gamma\\Sub", "X", "y");
    registry.setString(RegRoot::LocalMachine, kStore + "Other", "DisplayName", "stays");
    const std::string before = registry.treeText(RegRoot::LocalMachine, kStore);
    const TAppInfo beta = entry("Beta"), beta2 = entry("Beta2"), gamma = entry("Gamma");
    registry.allowOnly(RegRoot::LocalMachine, kStore + "Gamma", 0);
    EXPECT_THROW(deleteEntriesUndoably({&beta, &gamma, &beta2}, services, history), BackupError);
    EXPECT_EQ(before, registry.treeText(RegRoot::LocalMachine, kStore))
        << "one backup failed: nothing is deleted";
    EXPECT_TRUE(history.empty());

    registry.allowOnly(RegRoot::LocalMachine, kStore + "Gamma", reg_access::AllAccess);
    EXPECT_TRUE(deleteEntriesUndoably({&beta, &gamma, &beta2}, services, history).empty());
    EXPECT_EQ("(absent)", registry.treeText(RegRoot::LocalMachine, kStore + "Gamma"));
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "Beta2"));
    ASSERT_FALSE(history.empty());
    EXPECT_EQ("Undo: Delete Entry (3 programs)", undoTooltip(history.newest()));
    registry.setString(RegRoot::LocalMachine, kStore + "Beta", "DisplayName", "again");
    registry.setString(RegRoot::LocalMachine, kStore + "Gamma", "DisplayName", "again");
    EXPECT_EQ("Beta and Gamma are registered again since they were deleted. Replace those "
              "registrations with the ones from the backups?",
              history.replaceQuestion(registry));

    history.undoNewest(registry, files, clock);
    EXPECT_EQ(before, registry.treeText(RegRoot::LocalMachine, kStore));
    EXPECT_TRUE(history.empty());
}

// A restore that fails part-way keeps only what is still to be put back.
TEST_F(UndoableChanges, AnUndoThatFailsPartWayKeepsOnlyTheEntriesNotRestored) {
    registry.setString(RegRoot::LocalMachine, kStore + "Beta", "Refused", "x");
    const TAppInfo beta = entry("Beta"), beta2 = entry("Beta2");
    ASSERT_TRUE(deleteEntriesUndoably({&beta, &beta2}, services, history).empty());
    registry.calls.refusedValueName = "Refused";
    EXPECT_THROW(history.undoNewest(registry, files, clock), BackupError);
    ASSERT_FALSE(history.empty());
    ASSERT_EQ(1u, history.newest().entries.size());
    EXPECT_EQ("Beta", history.newest().entries[0].entryName);
    EXPECT_TRUE(registry.keyExists(RegRoot::LocalMachine, kStore + "Beta2"));
    EXPECT_EQ("Undo: Delete Entry \"Beta\"", undoTooltip(history.newest()));
}

} // namespace
} // namespace remvana
