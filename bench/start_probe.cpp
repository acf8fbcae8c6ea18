#include "bench/start_probe.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <vector>

#include "support/child_process.h"

namespace remvana::bench {

namespace {

struct FoundList {
    HWND topLevel = nullptr;
    HWND list = nullptr;
};

// A list view among the window's descendants, or null.
HWND listViewIn(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM out) -> BOOL {
            char name[32] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, WC_LISTVIEWA) != 0) return TRUE;
            *reinterpret_cast<HWND*>(out) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Visible top-level windows of other processes that hold a list view. The program under
// test may start a second process (control.exe hands the panel on), so no process id is
// relied on.
std::vector<FoundList> listsOnScreen() {
    std::vector<FoundList> lists;
    EnumWindows(
        [](HWND window, LPARAM out) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
            if (HWND list = listViewIn(window))
                reinterpret_cast<std::vector<FoundList>*>(out)->push_back({window, list});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&lists));
    return lists;
}

// The row count, asked with a time limit: a program busy filling its list answers late.
std::size_t rowCountOf(HWND list) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 50, &count)) return 0;
    return static_cast<std::size_t>(count);
}

void closeAndWait(HWND topLevel, testing::ChildProcess& started) {
    if (topLevel) PostMessageA(topLevel, WM_CLOSE, 0, 0);
    started.waitOrEnd(10000);
    // A panel shown by a second process outlives the first: wait for its window to go.
    for (int i = 0; i < 200 && topLevel && IsWindow(topLevel); ++i)
        Sleep(50);
}

} // namespace

std::optional<double> startToFilledList(const std::string& commandLine, std::size_t rows,
                                        double timeoutMs) {
    const auto start = std::chrono::steady_clock::now();
    testing::ChildProcess started(commandLine);
    if (!started.started()) return std::nullopt;
    auto elapsed = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    std::optional<double> result;
    HWND topLevel = nullptr;
    // Once lists are on screen only they are asked: walking every window and its children
    // at each poll loads the window server the program under test is waiting on.
    std::vector<FoundList> watched;
    while (!result && elapsed() < timeoutMs) {
        std::erase_if(watched, [](const FoundList& found) {
            return !IsWindow(found.list) || !IsWindowVisible(found.topLevel);
        });
        if (watched.empty()) watched = listsOnScreen();
        for (const FoundList& found : watched) {
            if (rowCountOf(found.list) < rows) continue;
            result = elapsed();
            topLevel = found.topLevel;
            break;
        }
        if (!result) Sleep(5);
    }
    if (!topLevel) {
        const std::vector<FoundList> lists = listsOnScreen();
        if (!lists.empty()) topLevel = lists.front().topLevel;
    }
    closeAndWait(topLevel, started);
    return result;
}

} // namespace remvana::bench
