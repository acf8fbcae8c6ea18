#include "bench/start_probe.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
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

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Waits until a list of another process holds `rows` rows; that list, or nothing when it
// did not come within `timeoutMs` of `start`. `topLevel` gets a window to close either way.
std::optional<FoundList> waitForFilledList(std::size_t rows, Clock::time_point start,
                                           double timeoutMs, HWND& topLevel) {
    // Once lists are on screen only they are asked: walking every window and its children
    // at each poll loads the window server the program under test is waiting on.
    std::vector<FoundList> watched;
    while (millisecondsSince(start) < timeoutMs) {
        std::erase_if(watched, [](const FoundList& found) {
            return !IsWindow(found.list) || !IsWindowVisible(found.topLevel);
        });
        if (watched.empty()) watched = listsOnScreen();
        for (const FoundList& found : watched) {
            if (rowCountOf(found.list) < rows) continue;
            topLevel = found.topLevel;
            return found;
        }
        Sleep(5);
    }
    const std::vector<FoundList> lists = listsOnScreen();
    if (!lists.empty()) topLevel = lists.front().topLevel;
    return std::nullopt;
}

int selectedRowOf(HWND list) {
    DWORD_PTR row = static_cast<DWORD_PTR>(-1);
    SendMessageTimeoutA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, SMTO_NORMAL,
                        10000, &row);
    return static_cast<int>(static_cast<LRESULT>(row));
}

// Posts the key and waits until the selection is `expected`, or below `refilledBelow` (a
// list filled again starts without a selection); the milliseconds it took.
double keyLatency(HWND list, UINT key, int expected, int refilledBelow = -1) {
    const auto posted = Clock::now();
    PostMessageA(list, WM_KEYDOWN, key, 0);
    for (int row = selectedRowOf(list); row != expected && row >= refilledBelow;
         row = selectedRowOf(list)) {
        if (millisecondsSince(posted) >= 10000) break;
        Sleep(0);
    }
    PostMessageA(list, WM_KEYUP, key, 0);
    return millisecondsSince(posted);
}

} // namespace

std::optional<double> startToFilledList(const std::string& commandLine, std::size_t rows,
                                        double timeoutMs) {
    const auto start = Clock::now();
    testing::ChildProcess started(commandLine);
    if (!started.started()) return std::nullopt;
    HWND topLevel = nullptr;
    std::optional<double> result;
    if (waitForFilledList(rows, start, timeoutMs, topLevel)) result = millisecondsSince(start);
    closeAndWait(topLevel, started);
    return result;
}

std::optional<KeysOverStart> keysOverStart(const std::string& commandLine, std::size_t rows,
                                           double timeoutMs, const std::function<void()>& change,
                                           bool refresh) {
    constexpr double kQuickMs = 50;
    constexpr std::size_t kInARow = 5;
    constexpr double kAfterTheChangeMs = 1000;
    const auto start = Clock::now();
    testing::ChildProcess started(commandLine);
    if (!started.started()) return std::nullopt;
    HWND topLevel = nullptr;
    const std::optional<FoundList> found = waitForFilledList(rows, start, timeoutMs, topLevel);
    std::optional<KeysOverStart> result;
    if (found) {
        KeysOverStart keys;
        keys.filledMs = millisecondsSince(start);
        int row = 0;
        bool down = true;
        bool home = true;
        // Home first, then Down and Up in turn; the latency of the next key.
        const auto nextKey = [&](int refilledBelow = -1) {
            const UINT key = home ? VK_HOME : down ? VK_DOWN : VK_UP;
            if (!home) row += down ? 1 : -1, down = !down;
            home = false;
            ++keys.keys;
            return keyLatency(found->list, key, row, refilledBelow);
        };
        const double until = 2 * keys.filledMs + 1000;
        std::size_t quickInARow = 0;
        double runStartedMs = 0;
        while (millisecondsSince(start) < until || keys.firstAcceptedMs == 0) {
            if (millisecondsSince(start) > timeoutMs) break;
            const double postedMs = millisecondsSince(start);
            const double latency = nextKey();
            keys.longestKeyMs = std::max(keys.longestKeyMs, latency);
            if (latency > kQuickMs) {
                quickInARow = 0;
                continue;
            }
            if (quickInARow++ == 0) runStartedMs = postedMs + latency;
            if (quickInARow == kInARow && keys.firstAcceptedMs == 0)
                keys.firstAcceptedMs = runStartedMs;
        }
        if (change && keys.firstAcceptedMs > 0) {
            // The list sorted by its second column (Size) first, as a click on its header
            // does: an update then puts the new row in that order, the dearer case.
            const HWND header =
                reinterpret_cast<HWND>(SendMessageA(found->list, LVM_GETHEADER, 0, 0));
            const auto nameWidth =
                static_cast<int>(SendMessageA(found->list, LVM_GETCOLUMNWIDTH, 0, 0));
            PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(nameWidth + 10, 5));
            PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(nameWidth + 10, 5));
            home = true, row = 0;
            nextKey();
            const auto changed = Clock::now();
            change();
            // Keys go on until the new row is shown and its reading has had time to end.
            while (millisecondsSince(changed) < timeoutMs) {
                keys.longestKeyOverChangeMs = std::max(keys.longestKeyOverChangeMs, nextKey());
                if (keys.changeShownMs == 0 && rowCountOf(found->list) > rows)
                    keys.changeShownMs = millisecondsSince(changed);
                if (keys.changeShownMs > 0 &&
                    millisecondsSince(changed) > keys.changeShownMs + kAfterTheChangeMs)
                    break;
            }
        }
        if (refresh && keys.firstAcceptedMs > 0) {
            // Down and Up between rows 2 and 3 while the old list is shown: the new one has no
            // selection, so a row below 2 tells that it came.
            home = true, row = 0;
            nextKey();
            for (int i = 0; i < 2; ++i, ++keys.keys)
                keyLatency(found->list, VK_DOWN, ++row);
            down = true;
            PostMessageA(found->list, WM_KEYDOWN, VK_F5, 0);
            PostMessageA(found->list, WM_KEYUP, VK_F5, 0);
            const auto pressed = Clock::now();
            while (millisecondsSince(pressed) < timeoutMs) {
                const bool shown = keys.refreshShownMs > 0;
                keys.longestKeyOverRefreshMs =
                    std::max(keys.longestKeyOverRefreshMs, nextKey(shown ? -1 : 2));
                if (!shown && selectedRowOf(found->list) < 2) {
                    keys.refreshShownMs = millisecondsSince(pressed);
                    home = true, row = 0, down = true;
                }
                if (shown && millisecondsSince(pressed) > keys.refreshShownMs + kAfterTheChangeMs)
                    break;
            }
        }
        if (keys.firstAcceptedMs > 0) result = keys;
    }
    closeAndWait(topLevel, started);
    return result;
}

} // namespace remvana::bench
