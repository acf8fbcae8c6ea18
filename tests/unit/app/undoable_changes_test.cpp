#include <gtest/gtest.h>

#include "app/undoable_changes.h"
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
    EXPECT_NE(std::nullopt, deleteEntryUndoably(entry("Gone"), services, history));
    EXPECT_TRUE(history.empty()) << "another program had removed it";

    EXPECT_EQ(std::nullopt, deleteEntryUndoably(entry("Beta"), services, history));
    ASSERT_FALSE(history.empty());
    EXPECT_TRUE(history.newest().entryRemoved);
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "Beta"));
}

} // namespace
} // namespace remvana
