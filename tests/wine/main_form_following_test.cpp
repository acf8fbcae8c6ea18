// The window follows what happens outside it: a Remove runs the real Windows Installer
// package's removal to its end without holding the window, a Remove of several runs real
// uninstallers one after another, and another process's write to a store shows in the list
// by itself.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>

#include "dialog_answerer.h"
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
        testing::deleteMachineTree(kUninstallStore + testing::kQuillmarkKey, KEY_WOW64_64KEY);
        RegDeleteTreeA(HKEY_CURRENT_USER, (kUninstallStore + testing::kOrreryKey).c_str());
    }
    // Selects the rows (the first as a click, the others as Ctrl+clicks), presses Remove and
    // answers "Confirm" with OK; the question asked.
    std::string removeRows(const std::vector<std::string>& captions) {
        selectRow(captions[0]);
        for (std::size_t i = 1; i < captions.size(); ++i)
            addToSelection(captions[i]);
        EXPECT_TRUE(pumpUntil([&] { return enabled(layout::kRemoveButtonId); }, 5));
        testing::DialogAnswerer confirm("Confirm", IDOK);
        testing::clickControl(control(layout::kRemoveButtonId));
        EXPECT_TRUE(confirm.answered());
        return confirm.messageText();
    }
    // Lets the window run the removals until the summary box comes, answers it and returns
    // its text; whether another process showed a window meanwhile goes to `foreignWindow`.
    std::string summaryAfterRemovals(std::string* foreignWindow = nullptr) {
        testing::DialogAnswerer summary("Remove", IDOK, {}, {false, 120});
        pumpUntil(
            [&] {
                if (foreignWindow && foreignWindow->empty())
                    *foreignWindow = anotherProcessWindow();
                // The box comes, and is answered, within the last end's handling.
                return !form().runningCommand()->running();
            },
            120);
        return summary.messageText();
    }
    // The title of a visible top-level window of another process; empty when there is none.
    static std::string anotherProcessWindow() {
        std::string title;
        EnumWindows(
            [](HWND window, LPARAM found) {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
                *reinterpret_cast<std::string*>(found) =
                    testing::classNameOf(window) + " \"" + testing::windowText(window) + "\"";
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&title));
        return title;
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
    // The stores are read on the watch's thread right after the end.
    EXPECT_TRUE(pumpUntil([&] { return rowOf("Tallyport Ledger") == -1; }, 5))
        << "no Refresh was pressed";
    testing::saveScreenshot(window(), "following_remove_done");
}

// NSIS machine-wide and per-user and a Windows Installer product: removed quietly, one after
// another, after one question; each row leaves as its registration goes.
TEST_F(MainFormFollowing, RemoveOfSeveralRunsThemQuietlyOneAfterAnotherWithOneSummary) {
    ASSERT_EQ(0u, testing::installQuillmarkNotes());
    ASSERT_EQ(0u, testing::installOrreryAtlas());
    ASSERT_EQ(0u, testing::installTallyportLedger());
    openWindow();
    const std::string question =
        removeRows({"Orrery Atlas", "Quillmark Notes", "Tallyport Ledger"});
    EXPECT_NE(std::string::npos, question.find("3 run quietly, without a window.")) << question;
    EXPECT_EQ("Removing 1 of 3: Orrery Atlas ...", form().statusText(1));
    EXPECT_EQ("Stop", testing::windowText(control(layout::kRemoveButtonId)));
    EXPECT_TRUE(enabled(layout::kRemoveButtonId));
    EXPECT_FALSE(enabled(layout::kRepairButtonId)) << "two uninstallers at once collide";
    testing::saveScreenshot(window(), "removals_running");

    std::string foreignWindow;
    const std::string summary = summaryAfterRemovals(&foreignWindow);
    EXPECT_EQ("3 of 3 programs were removed.\nOrrery Atlas: removed.\nQuillmark Notes: "
              "removed.\nTallyport Ledger: removed.\n",
              summary);
    EXPECT_EQ("", foreignWindow) << "an uninstaller showed a window";
    EXPECT_EQ("3 of 3 programs were removed.", form().statusText(1));
    EXPECT_FALSE(machineKeyExists(kUninstallStore + testing::kQuillmarkKey, KEY_WOW64_64KEY));
    EXPECT_FALSE(machineKeyExists(kUninstallStore + testing::kLedgerProduct));
    for (const char* caption : {"Orrery Atlas", "Quillmark Notes", "Tallyport Ledger"})
        EXPECT_TRUE(pumpUntil([&] { return rowOf(caption) == -1; }, 5))
            << caption << ": no Refresh was pressed";
    EXPECT_EQ("Remove", testing::windowText(control(layout::kRemoveButtonId)));
    testing::saveScreenshot(window(), "removals_summary");
}

// A program without a quiet command shows its own uninstaller, which the person answers;
// the next one starts once it has ended.
TEST_F(MainFormFollowing, RemoveOfSeveralShowsAnUninstallerWithoutAQuietCommandAndGoesOn) {
    ASSERT_EQ(0u, testing::installOrreryAtlas());
    ASSERT_EQ(0u, testing::installQuillmarkNotes());
    HKEY orrery = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, (kUninstallStore + testing::kOrreryKey).c_str(), 0,
                            KEY_SET_VALUE, &orrery));
    RegDeleteValueA(orrery, "QuietUninstallString");
    RegCloseKey(orrery);
    openWindow();
    testing::DialogAnswerer uninstaller("Orrery Atlas Uninstall", IDOK, {}, {true, 60});
    const std::string question = removeRows({"Orrery Atlas", "Quillmark Notes"});
    EXPECT_NE(std::string::npos, question.find("Orrery Atlas (shows its own uninstaller)"))
        << question;
    const std::string summary = summaryAfterRemovals();
    EXPECT_TRUE(uninstaller.answered()) << "its own uninstaller's box";
    EXPECT_EQ("2 of 2 programs were removed.\nOrrery Atlas: removed.\nQuillmark Notes: "
              "removed.\n",
              summary);
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
