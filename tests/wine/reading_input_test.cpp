// The window takes keys while it reads the rest of thousands of entries after the fill:
// keys posted to the list are acted on between the reading's slices, not after all of it.
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

// Dispatches one message at a time until the list's selection reaches `row` or the bound
// passes; false then.
bool waitForRow(HWND list, int row) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kGenerousMs) {
        if (focusedRow(list) == row) return true;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            Sleep(1);
        }
    }
    return focusedRow(list) == row;
}

TEST_F(ReadingTakesInput, KeysPostedToTheListDuringTheReadingAreActedOn) {
    openWindow(); // its first reading is drained by the fixture; a refresh starts another
    const HWND list = control(layout::kListViewId);
    form().RefreshAdvToolButtonClick(nullptr);
    ASSERT_FALSE(form().programs().readingDone());
    ASSERT_GE(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(kEntries));
    SetFocus(list);
    LVITEMA selected{};
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    for (int row = 1; row <= 5; ++row) {
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_TRUE(waitForRow(list, row)) << "key " << row << " was not acted on";
    }
    EXPECT_FALSE(form().programs().readingDone()) << "the keys waited for the whole reading";
    EXPECT_EQ(5, focusedRow(list));
}

} // namespace
} // namespace remvana::testing
