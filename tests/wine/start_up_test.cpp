// The program itself, started as a process: with an uninstall store that cannot be opened
// it says "Registry Error" and ends without showing its window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace remvana {
namespace {

constexpr const char* kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kBackup = "SOFTWARE\\RemvanaStartUpTestBackup";

std::string ownFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Moves the uninstall store aside for the test and puts it back afterwards.
class StoreMovedAside {
  public:
    StoreMovedAside() {
        HKEY store = nullptr;
        existed_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kStore, 0, KEY_READ, &store) == ERROR_SUCCESS;
        if (store) RegCloseKey(store);
        moved_ = !existed_ || (copyKey(kStore, kBackup) && deleteKey(kStore));
    }
    ~StoreMovedAside() {
        if (existed_ && moved_ && copyKey(kBackup, kStore)) deleteKey(kBackup);
    }
    bool moved() const { return moved_; }

  private:
    static bool copyKey(const char* from, const char* to) {
        HKEY source = nullptr;
        HKEY target = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, from, 0, KEY_READ, &source) != ERROR_SUCCESS)
            return false;
        bool ok = RegCreateKeyExA(HKEY_LOCAL_MACHINE, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &target, nullptr) == ERROR_SUCCESS &&
                  RegCopyTreeA(source, nullptr, target) == ERROR_SUCCESS;
        if (target) RegCloseKey(target);
        RegCloseKey(source);
        return ok;
    }
    // The key with everything below it.
    static bool deleteKey(const char* path) {
        return RegDeleteTreeA(HKEY_LOCAL_MACHINE, path) == ERROR_SUCCESS;
    }
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

TEST(StartUp, UnopenableStoreShowsRegistryErrorThenEnds) {
    StoreMovedAside aside;
    ASSERT_TRUE(aside.moved());

    std::string command = "\"";
    command += ownFolder();
    command += "remvana.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));

    BoxSearch search{child.dwProcessId};
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

    const DWORD waited = WaitForSingleObject(child.hProcess, 15000);
    EXPECT_EQ(WAIT_OBJECT_0, waited) << "the program did not end";
    if (waited != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(child.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

} // namespace
} // namespace remvana
