#include <gtest/gtest.h>

#include "actions/commands.h"
#include "fakes/fake_registry.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kUsage = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";

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

    FakeRegistryFactory registry;
};

TEST_F(DeleteEntry, RemovesTheEntryWithItsWholeSubtreeAndNothingElse) {
    EXPECT_TRUE(deleteUninstallEntry("Alpha", registry));
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "\\Alpha"));
    EXPECT_EQ((std::vector<std::string>{"AlphaBeta", "Gamma"}), storeSubkeys());
    // The usage record stays: only the registration is removed.
    EXPECT_TRUE(registry.value(RegRoot::LocalMachine, kUsage + "\\Alpha", "SlowInfoCache"));
}

TEST_F(DeleteEntry, AProtectedEntryStaysWhenTheRegistryRefuses) {
    // A subkey the user may read but not delete, as in a store guarded by an administrator.
    registry.allowOnly(RegRoot::LocalMachine, kStore + "\\Gamma", reg_access::Read);
    EXPECT_FALSE(deleteUninstallEntry("Gamma", registry));
    EXPECT_TRUE(registry.keyExists(RegRoot::LocalMachine, kStore + "\\Gamma"));
}

} // namespace
} // namespace remvana
