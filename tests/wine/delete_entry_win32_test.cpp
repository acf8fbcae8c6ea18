#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "actions/commands.h"
#include "inventory/uninstall_store.h"
#include "machine_keys.h"
#include "platform/win32/registry_win32.h"

namespace remvana {
namespace {

using testing::machineKeyExists;
const std::string& kStore = testing::kUninstallStore;

class DeleteEntryWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            testing::setMachineString(kStore + "RemvanaDelete Tree\\Components\\Core\\Files"));
        ASSERT_TRUE(testing::setMachineString(kStore + "RemvanaDelete Tree\\Components\\Extras"));
        ASSERT_TRUE(testing::setMachineString(kStore + "RemvanaDelete Tree\\Features"));
        ASSERT_TRUE(testing::setMachineString(kStore + "RemvanaDelete Tree Neighbour"));
    }
    void TearDown() override {
        testing::deleteMachineTree(kStore + "RemvanaDelete Tree");
        testing::deleteMachineTree(kStore + "RemvanaDelete Tree Neighbour");
        testing::deleteMachineTree(kStore + "RemvanaDelete Tree", KEY_WOW64_32KEY);
    }

    Win32RegistryFactory registry;
};

TEST_F(DeleteEntryWin32, RemovesTheSubkeyWithEverythingBelowIt) {
    EXPECT_EQ(std::nullopt, deleteUninstallEntry("RemvanaDelete Tree", kMachineStore64, registry));
    EXPECT_FALSE(machineKeyExists(kStore + "RemvanaDelete Tree"));
    EXPECT_TRUE(machineKeyExists(kStore + "RemvanaDelete Tree Neighbour"));
    EXPECT_TRUE(machineKeyExists(kStore));
}

TEST_F(DeleteEntryWin32, NamesThatWouldReachTheStoreOrBeyondDeleteNothing) {
    for (const std::string& name :
         std::vector<std::string>{"", "\\", "..", "RemvanaDelete Tree\\Features",
                                  std::string("\0RemvanaDelete Tree", 19)})
        EXPECT_NE(std::nullopt, deleteUninstallEntry(name, kMachineStore64, registry));
    EXPECT_TRUE(machineKeyExists(kStore + "RemvanaDelete Tree\\Features"));
    EXPECT_TRUE(machineKeyExists(kStore + "RemvanaDelete Tree\\Components\\Core\\Files"));
    EXPECT_TRUE(machineKeyExists(kStore + "RemvanaDelete Tree Neighbour"));
}

TEST_F(DeleteEntryWin32, DeletingThe32BitEntryLeavesIts64BitTwin) {
    ASSERT_TRUE(testing::setMachineString(kStore + "RemvanaDelete Tree", "DisplayName", "32-bit",
                                          KEY_WOW64_32KEY));
    ASSERT_TRUE(machineKeyExists(kStore + "RemvanaDelete Tree\\Features", KEY_WOW64_64KEY));
    EXPECT_EQ(std::nullopt, deleteUninstallEntry("RemvanaDelete Tree", kMachineStore32, registry));
    EXPECT_FALSE(machineKeyExists(kStore + "RemvanaDelete Tree", KEY_WOW64_32KEY));
    EXPECT_TRUE(machineKeyExists(kStore + "RemvanaDelete Tree\\Features", KEY_WOW64_64KEY));
}

} // namespace
} // namespace remvana
