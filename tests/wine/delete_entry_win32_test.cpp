#include <windows.h>

#include <gtest/gtest.h>

#include "actions/commands.h"
#include "platform/win32/registry_win32.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void createKey(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr))
        << path;
    RegCloseKey(key);
}

class DeleteEntryWin32 : public ::testing::Test {
  protected:
    void SetUp() override {
        createKey(kStore + "RemvanaDelete Tree\\Components\\Core\\Files");
        createKey(kStore + "RemvanaDelete Tree\\Components\\Extras");
        createKey(kStore + "RemvanaDelete Tree\\Features");
        createKey(kStore + "RemvanaDelete Tree Neighbour");
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kStore + "RemvanaDelete Tree").c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kStore + "RemvanaDelete Tree Neighbour").c_str());
    }

    Win32RegistryFactory registry;
};

TEST_F(DeleteEntryWin32, RemovesTheSubkeyWithEverythingBelowIt) {
    EXPECT_TRUE(deleteUninstallEntry("RemvanaDelete Tree", registry));
    EXPECT_FALSE(keyExists(kStore + "RemvanaDelete Tree"));
    EXPECT_TRUE(keyExists(kStore + "RemvanaDelete Tree Neighbour"));
    EXPECT_TRUE(keyExists(kStore));
}

TEST_F(DeleteEntryWin32, NamesThatWouldReachTheStoreOrBeyondDeleteNothing) {
    for (const std::string& name :
         std::vector<std::string>{"", "\\", "..", "RemvanaDelete Tree\\Features",
                                  std::string("\0RemvanaDelete Tree", 19)})
        EXPECT_FALSE(deleteUninstallEntry(name, registry));
    EXPECT_TRUE(keyExists(kStore + "RemvanaDelete Tree\\Features"));
    EXPECT_TRUE(keyExists(kStore + "RemvanaDelete Tree\\Components\\Core\\Files"));
    EXPECT_TRUE(keyExists(kStore + "RemvanaDelete Tree Neighbour"));
}

} // namespace
} // namespace remvana
