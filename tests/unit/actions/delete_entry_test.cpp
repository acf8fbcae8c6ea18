#include <gtest/gtest.h>

#include "actions/commands.h"
#include "fakes/fake_registry.h"
#include "inventory/uninstall_store.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kUsage = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
const FakeHive kHklm32(RegRoot::LocalMachine, RegView::Bits32);

class DeleteEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        registry.setString(RegRoot::LocalMachine, kStore + "\\Alpha", "DisplayName", "Alpha");
        registry.createKey(RegRoot::LocalMachine, kStore + "\\Alpha\\Components\\Core");
        registry.createKey(RegRoot::LocalMachine, kStore + "\\Alpha\\Components\\Extras");
        registry.createKey(RegRoot::LocalMachine, kStore + "\\Alpha\\Features");
        registry.setString(RegRoot::LocalMachine, kStore + "\\AlphaBeta", "DisplayName", "AB");
        registry.setString(RegRoot::LocalMachine, kStore + "\\Gamma", "DisplayName", "Gamma");
        registry.setBinary(RegRoot::LocalMachine, kUsage + "\\Alpha", "SlowInfoCache",
                           std::vector<std::uint8_t>(552, 1));
    }

    std::vector<std::string> storeSubkeys() const {
        return registry.subkeys(RegRoot::LocalMachine, kStore);
    }
    std::optional<std::string> remove(const std::string& name,
                                      const UninstallStore& store = kMachineStore64) {
        return deleteUninstallEntry(name, store, registry);
    }

    FakeRegistryFactory registry;
};

TEST_F(DeleteEntry, RemovesTheEntryWithItsWholeSubtreeAndNothingElse) {
    EXPECT_EQ(std::nullopt, remove("Alpha"));
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "\\Alpha"));
    EXPECT_EQ((std::vector<std::string>{"AlphaBeta", "Gamma"}), storeSubkeys());
    // The usage record stays: only the registration is removed.
    EXPECT_TRUE(registry.value(RegRoot::LocalMachine, kUsage + "\\Alpha", "SlowInfoCache"));
}

TEST_F(DeleteEntry, DeletesOnlyFromTheEntrysOwnStore) {
    registry.setString(kHklm32, kStore + "\\Alpha", "DisplayName", "Alpha (32-bit)");
    registry.setString(RegRoot::CurrentUser, kStore + "\\Alpha", "DisplayName", "Alpha (mine)");
    EXPECT_EQ(std::nullopt, remove("Alpha", kMachineStore32));
    EXPECT_FALSE(registry.keyExists(kHklm32, kStore + "\\Alpha"));
    EXPECT_EQ("Alpha", registry.text(RegRoot::LocalMachine, kStore + "\\Alpha", "DisplayName"));
    EXPECT_EQ("Alpha (mine)",
              registry.text(RegRoot::CurrentUser, kStore + "\\Alpha", "DisplayName"));
}

TEST_F(DeleteEntry, EveryFailureSaysTheEntryWasNotRemovedAndWhy) {
    // A subkey the user may read but not delete, as in a store guarded by an administrator.
    registry.allowOnly(RegRoot::LocalMachine, kStore + "\\Gamma", reg_access::Read);
    registry.allowOnly(RegRoot::LocalMachine, kStore + "\\Alpha\\Features", reg_access::Read);
    registry.elevatedProcess = false;
    const struct {
        std::string name;
        UninstallStore store;
        std::string message;
    } cases[] = {
        {"Gamma", kMachineStore64,
         "The entry \"Gamma\" was not removed. Access is denied. For this action, administrator "
         "rights are needed."},
        {"Alpha", kMachineStore64,
         "The entry \"Alpha\" was only partly removed: some keys below it are gone, the entry "
         "itself stays. Access is denied. For this action, administrator rights are needed."},
        // Removed by another program since the list was read: nothing failed.
        {"Gone", kMachineStore64,
         "The entry \"Gone\" was already gone: another program has removed it. The list now "
         "shows the programs as registered."},
        {"Gamma", kUserStore, // no user store at all; and administrators are no help there
         "The entry \"Gamma\" was not removed. The system cannot find the file specified."},
        {"..", kMachineStore64,
         "The entry \"..\" cannot be changed from here: its key name does not name one key of "
         "the uninstall store, and acting on it could reach another key."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.message, remove(c.name, c.store)) << c.name;
    EXPECT_EQ((std::vector<std::string>{"Alpha", "AlphaBeta", "Gamma"}), storeSubkeys());
    EXPECT_EQ((std::vector<std::string>{"Features"}),
              registry.subkeys(RegRoot::LocalMachine, kStore + "\\Alpha"));

    registry.elevatedProcess = true; // the reason stands, the advice would be wrong
    EXPECT_EQ("The entry \"Gamma\" was not removed. Access is denied.", remove("Gamma"));
}

} // namespace
} // namespace remvana
