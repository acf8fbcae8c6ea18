// The real window over entries in all three uninstall stores of the real registry (the
// machine-wide one in each view, the user's own), and over damaged entries among good ones.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_answerer.h"
#include "inventory/app_info.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::string& kStore = testing::kUninstallStore;
const std::string kCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";

struct Place {
    HKEY root;
    REGSAM view;
};
const Place kMachine64{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY};
const Place kMachine32{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY};
const Place kUser{HKEY_CURRENT_USER, 0};

void seed(const Place& place, const std::string& path, const char* name, DWORD type,
          const void* data, std::size_t size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(place.root, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS | place.view, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data),
                                            static_cast<DWORD>(size)));
    RegCloseKey(key);
}
void seedText(const Place& place, const std::string& path, const char* name,
              const std::string& text) {
    seed(place, path, name, REG_SZ, text.c_str(), text.size() + 1);
}
std::string textAt(const Place& place, const std::string& path, const char* name) {
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, path.c_str(), 0, KEY_READ | place.view, &key) != ERROR_SUCCESS)
        return "(no key)";
    const LONG rc =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(buffer) : "(no value)";
}
void removeTree(const Place& place, const std::string& parent, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, parent.c_str(), 0, KEY_ALL_ACCESS | place.view, &key) !=
        ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, name.c_str());
    RegCloseKey(key);
}
// A usage record with just the installed size in it, `length` bytes long.
std::vector<std::uint8_t> usageOfSize(std::uint64_t size, std::size_t length = 552) {
    std::vector<std::uint8_t> bytes(length, 0);
    for (std::size_t i = 0; i < 8; ++i)
        bytes[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    return bytes;
}

class StoresWindow : public testing::MainWindowFixture {
  protected:
    void TearDown() override {
        MainWindowFixture::TearDown();
        for (const Place& place : {kMachine64, kMachine32, kUser})
            for (const std::string& key : {kKey, kOther}) {
                removeTree(place, kStore, key);
                removeTree(place, kCache, key);
            }
    }
    std::string sizeOf(const std::string& caption) {
        const int row = rowOf(caption);
        return row < 0
                   ? "(no row)"
                   : testing::listColumnTexts(controlOf(form(), layout::kListViewId), 1).at(row);
    }

    const std::string kKey = "RemvanaStores Same";
    const std::string kOther = "RemvanaStores Other";
};

TEST_F(StoresWindow, AnEntryInEachStoreIsListedWithItsOwnUsageRecord) {
    const std::pair<Place, std::string> entries[] = {
        {kMachine64, "Stores 64"}, {kMachine32, "Stores 32"}, {kUser, "Stores Mine"}};
    std::uint64_t size = 1000;
    for (const auto& [place, name] : entries) {
        seedText(place, kStore + kKey, "DisplayName", name);
        const auto record = usageOfSize(size *= 1000);
        seed(place, kCache + kKey, "SlowInfoCache", REG_BINARY, record.data(), record.size());
    }
    openWindow();
    EXPECT_EQ("1.00 Mb", sizeOf("Stores 64"));
    EXPECT_EQ("1000.00 Mb", sizeOf("Stores 32"));
    EXPECT_EQ("1000000.00 Mb", sizeOf("Stores Mine"));

    // Modify Properties on the per-user entry writes under the user's hive only.
    selectRow("Stores Mine");
    EXPECT_NE(std::string::npos,
              TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId))
                  ->htmlLine(0)
                  .find("Registered for: this user only<br>Key: " + kKey + "<br>"));
    form().selectedAppInfo()->PendingPublisher = "Mine Corp";
    form().ModifyPropertiesAdvToolButtonClick(nullptr);
    EXPECT_EQ("Mine Corp", textAt(kUser, kStore + kKey, "Publisher"));
    EXPECT_EQ("(no value)", textAt(kMachine64, kStore + kKey, "Publisher"));
    EXPECT_EQ("(no value)", textAt(kMachine32, kStore + kKey, "Publisher"));

    // Delete Entry on the 32-bit entry removes that key alone.
    selectRow("Stores 32");
    testing::DialogAnswerer user("Confirm", IDOK);
    testing::clickControl(controlOf(form(), layout::kDeleteEntryButtonId));
    ASSERT_TRUE(user.answered());
    waitForRefresh();
    EXPECT_EQ("(no key)", textAt(kMachine32, kStore + kKey, "DisplayName"));
    EXPECT_EQ("Stores 64", textAt(kMachine64, kStore + kKey, "DisplayName"));
    EXPECT_EQ("Stores Mine", textAt(kUser, kStore + kKey, "DisplayName"));
    EXPECT_EQ(-1, rowOf("Stores 32"));
    EXPECT_GE(rowOf("Stores 64"), 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(StoresWindow, ADamagedUsageRecordOrIntegerAmongGoodEntriesHidesNothing) {
    const auto overlong = usageOfSize(2048, 600);
    seedText(kMachine64, kStore + kKey, "DisplayName", "Stores Long Record");
    seed(kMachine64, kCache + kKey, "SlowInfoCache", REG_BINARY, overlong.data(), overlong.size());
    const std::uint8_t eightBytes[8] = {1};
    seedText(kMachine64, kStore + kOther, "DisplayName", "Stores Wide Integer");
    seed(kMachine64, kStore + kOther, "NoRemove", REG_DWORD, eightBytes, sizeof eightBytes);
    openWindow();
    EXPECT_EQ("2 Kb", sizeOf("Stores Long Record")); // from the leading 552 bytes
    EXPECT_GE(rowOf("Stores Wide Integer"), 0);
    EXPECT_TRUE(errors.empty());
}

} // namespace
} // namespace remvana
