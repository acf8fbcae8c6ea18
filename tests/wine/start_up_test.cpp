// The program itself, started as a process: with no uninstall store that can be opened it
// says "Registry Error" and ends without showing its window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/child_process.h"

namespace remvana {
namespace {

constexpr const char* kStoreParent = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kStoreName = "Uninstall";
constexpr const char* kBackupParent = "SOFTWARE";
constexpr const char* kBackupName = "RemvanaStartUpTestBackup";

// Moves one uninstall store (a root in a registry view) aside for the test and puts it back
// afterwards.
class StoreMovedAside {
  public:
    StoreMovedAside(HKEY root, REGSAM view) : root_(root), view_(view) {
        HKEY store = open(kStoreParent, kStoreName, KEY_READ);
        existed_ = store != nullptr;
        if (store) RegCloseKey(store);
        moved_ = !existed_ || (copy(kStoreParent, kStoreName, kBackupParent, kBackupName) &&
                               remove(kStoreParent, kStoreName));
    }
    ~StoreMovedAside() {
        if (existed_ && moved_ && copy(kBackupParent, kBackupName, kStoreParent, kStoreName))
            remove(kBackupParent, kBackupName);
    }
    bool moved() const { return moved_; }

  private:
    HKEY open(const std::string& parent, const std::string& name, REGSAM access) const {
        HKEY key = nullptr;
        RegOpenKeyExA(root_, (parent + "\\" + name).c_str(), 0, access | view_, &key);
        return key;
    }
    bool copy(const char* fromParent, const char* fromName, const char* toParent,
              const char* toName) const {
        HKEY source = open(fromParent, fromName, KEY_READ);
        if (!source) return false;
        HKEY target = nullptr;
        const bool ok =
            RegCreateKeyExA(root_, (std::string(toParent) + "\\" + toName).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS | view_, nullptr, &target, nullptr) == ERROR_SUCCESS &&
            RegCopyTreeA(source, nullptr, target) == ERROR_SUCCESS;
        if (target) RegCloseKey(target);
        RegCloseKey(source);
        return ok;
    }
    // The key with everything below it, through its parent opened in the view.
    bool remove(const char* parent, const char* name) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, parent, 0, KEY_ALL_ACCESS | view_, &key) != ERROR_SUCCESS)
            return false;
        const bool ok = RegDeleteTreeA(key, name) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }
    HKEY root_;
    REGSAM view_;
    bool existed_ = false;
    bool moved_ = false;
};

struct BoxSearch {
    DWORD process;
    HWND box = nullptr;
    bool windowShown = false;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<BoxSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search.process || !IsWindowVisible(hwnd)) return TRUE;
    char name[64] = {};
    char title[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    GetWindowTextA(hwnd, title, sizeof title);
    if (std::string(name) == "#32770" && std::string(title) == "Error") search.box = hwnd;
    if (std::string(name) == "T_mainForm") search.windowShown = true;
    return TRUE;
}

TEST(StartUp, WithNoStoreToOpenShowsRegistryErrorThenEnds) {
    StoreMovedAside machine64(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
    StoreMovedAside machine32(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
    StoreMovedAside user(HKEY_CURRENT_USER, 0);
    ASSERT_TRUE(machine64.moved() && machine32.moved() && user.moved());

    testing::ChildProcess child(testing::ownProgramCommand("remvana.exe"));
    ASSERT_TRUE(child.started());

    BoxSearch search{child.processId()};
    for (int i = 0; i < 400 && search.box == nullptr; ++i) {
        Sleep(50);
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_NE(nullptr, search.box) << "no error box came up";
    char text[128] = {};
    GetDlgItemTextA(search.box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ("Registry Error", text);
    EXPECT_FALSE(search.windowShown);
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);

    EXPECT_TRUE(child.waitOrEnd(15000)) << "the program did not end";
    EXPECT_EQ(0u, child.exitCode());
}

} // namespace
} // namespace remvana
