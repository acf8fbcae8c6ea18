// The window follows what happens outside it: a Remove runs the real Windows Installer
// package's removal to its end without holding the window, and another process's write to a
// store shows in the list by itself.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>

#include "installers.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "window_fixture.h"

namespace remvana {
namespace {

using testing::kUninstallStore;
using testing::machineKeyExists;

class MainFormFollowing : public testing::MainWindowFixture {
  protected:
    void TearDown() override {
        MainWindowFixture::TearDown();
        testing::deleteMachineTree(kUninstallStore + kAlphaKey);
        testing::deleteMachineTree(kUninstallStore + kBetaKey);
        if (machineKeyExists(kUninstallStore + testing::kLedgerProduct))
            testing::runToEnd("msiexec.exe /x " + testing::kLedgerProduct + " /qn");
    }
    // Lets the window answer until `done` holds, at most `seconds`; whether it came to hold.
    bool pumpUntil(const std::function<bool()>& done, int seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            testing::pumpMessages(50);
        }
        return true;
    }
    int selectedRow() {
        return ListView_GetNextItem(control(layout::kListViewId), -1, LVNI_SELECTED);
    }
    bool enabled(int id) { return IsWindowEnabled(control(id)) != FALSE; }

    const std::string kAlphaKey = "RemvanaFollow Alpha";
    const std::string kBetaKey = "RemvanaFollow Beta";
};

TEST_F(MainFormFollowing, RemoveOfTheMsiProductRunsToItsEndAndItsRowLeavesByItself) {
    ASSERT_EQ(0u, testing::installTallyportLedger());
    openWindow();
    selectRow("Tallyport Ledger");
    ASSERT_TRUE(enabled(layout::kRemoveButtonId));
    testing::clickControl(control(layout::kRemoveButtonId));

    EXPECT_EQ("Removing Tallyport Ledger ...", form().statusText(1));
    for (int id : {layout::kRemoveButtonId, layout::kChangeButtonId, layout::kRepairButtonId})
        EXPECT_FALSE(enabled(id)) << "two uninstallers at once collide";
    EXPECT_TRUE(enabled(layout::kRefreshButtonId)) << "everything else stays available";
    testing::saveScreenshot(window(), "following_remove_running");

    ASSERT_TRUE(
        pumpUntil([&] { return form().statusText(1) != "Removing Tallyport Ledger ..."; }, 90));
    EXPECT_EQ("Tallyport Ledger was removed.", form().statusText(1));
    EXPECT_FALSE(machineKeyExists(kUninstallStore + testing::kLedgerProduct));
    EXPECT_EQ(-1, rowOf("Tallyport Ledger")) << "no Refresh was pressed";
    testing::saveScreenshot(window(), "following_remove_done");
}

TEST_F(MainFormFollowing, AKeyAnotherProcessWritesAppearsWithTheSelectionKept) {
    ASSERT_TRUE(
        testing::setMachineString(kUninstallStore + kAlphaKey, "DisplayName", "Follow Alpha"));
    openWindow();
    selectRow("Follow Alpha");
    const std::string add =
        "reg.exe add " + testing::quotedPath("HKLM\\" + kUninstallStore + kBetaKey) +
        " /v DisplayName /d " + testing::quotedPath("Follow Beta") + " /f /reg:64";
    ASSERT_EQ(0u, testing::runToEnd(add));
    EXPECT_TRUE(pumpUntil([&] { return rowOf("Follow Beta") >= 0; }, 5));
    EXPECT_EQ(rowOf("Follow Alpha"), selectedRow());
    EXPECT_TRUE(enabled(layout::kDeleteEntryButtonId)) << "the selection's buttons stay";
}

} // namespace
} // namespace remvana
