// The window takes keys while a Refresh reads thousands of entries and while it reads the
// rest of them after the fill: keys posted to the list are acted on at once, not after the
// read.
// How soon belongs to the benchmark; the bound here only catches a window that waits.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/layout.h"
#include "window_fixture.h"

namespace remvana::testing {
namespace {

constexpr std::size_t kEntries = 5000;
constexpr DWORD kGenerousMs = 3000;
const std::string kUserStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class ReadingTakesInput : public MainWindowFixture {
  protected:
    void SetUp() override {
        prefix_ = "RemvanaReadingInput-" + std::to_string(GetCurrentProcessId()) + "-";
        for (std::size_t i = 0; i < kEntries; ++i) {
            HKEY key = nullptr;
            ASSERT_EQ(ERROR_SUCCESS,
                      RegCreateKeyExA(HKEY_CURRENT_USER, (kUserStore + name(i)).c_str(), 0, nullptr,
                                      0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
            const std::string shown = "Reading input " + std::to_string(100000 + i);
            const std::string uninstaller = "C:\\missing\\" + name(i) + "\\uninstall.exe";
            RegSetValueExA(key, "DisplayName", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(shown.c_str()),
                           static_cast<DWORD>(shown.size() + 1));
            RegSetValueExA(key, "UninstallString", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(uninstaller.c_str()),
                           static_cast<DWORD>(uninstaller.size() + 1));
            RegCloseKey(key);
        }
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        for (std::size_t i = 0; i < kEntries; ++i)
            RegDeleteKeyA(HKEY_CURRENT_USER, (kUserStore + name(i)).c_str());
    }
    std::string name(std::size_t i) const { return prefix_ + std::to_string(i); }

  private:
    std::string prefix_;
};

int focusedRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
}

void dispatchOne() {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    } else {
        Sleep(1);
    }
}

// Dispatches one message at a time until the list's selection reaches `row` or the bound
// passes; false then.
bool waitForRow(HWND list, int row) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kGenerousMs) {
        if (focusedRow(list) == row) return true;
        dispatchOne();
    }
    return focusedRow(list) == row;
}

void selectFirstRow(HWND list) {
    SetFocus(list);
    LVITEMA selected{};
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
}

// Keys go to the list shown while a Refresh reads the stores on its thread, then to the new
// list while the rest of its entries is read in slices.
TEST_F(ReadingTakesInput, KeysPostedToTheListDuringTheReadingAreActedOn) {
    openWindow();
    const HWND list = control(layout::kListViewId);
    selectFirstRow(list);
    form().RefreshAdvToolButtonClick(nullptr);
    ASSERT_TRUE(form().refreshing());
    for (int row = 1; row <= 3; ++row) {
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_TRUE(waitForRow(list, row)) << "key " << row << " was not acted on";
    }
    EXPECT_TRUE(form().refreshing()) << "the keys waited for the Refresh's read";

    // One message at a time: pumping the queue dry would run the new list's whole reading.
    for (const DWORD start = GetTickCount(); form().refreshing() && GetTickCount() - start < 20000;)
        dispatchOne();
    ASSERT_FALSE(form().refreshing());
    ASSERT_FALSE(form().programs().readingDone());
    ASSERT_GE(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(kEntries));
    EXPECT_EQ(-1, focusedRow(list)) << "the new list starts with nothing selected";
    selectFirstRow(list);
    for (int row = 1; row <= 5; ++row) {
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_TRUE(waitForRow(list, row)) << "key " << row << " was not acted on";
    }
    EXPECT_FALSE(form().programs().readingDone()) << "the keys waited for the whole reading";
    EXPECT_EQ(5, focusedRow(list));
}

} // namespace
} // namespace remvana::testing
