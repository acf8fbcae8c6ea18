#include "menu_answerer.h"

#include <chrono>
#include <utility>

#include "window_fixture.h"

namespace remvana::testing {
namespace {

constexpr UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU
constexpr auto kPatience = std::chrono::seconds(20);

BOOL CALLBACK matchMenu(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
        std::string(className) != "#32768")
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

void postKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

} // namespace

MenuAnswerer::MenuAnswerer(std::string choose, std::string screenshot)
    : choose_(std::move(choose)), screenshot_(std::move(screenshot)), thread_([this] { run(); }) {}

MenuAnswerer::~MenuAnswerer() {
    if (thread_.joinable()) thread_.join();
}

const std::vector<MenuAnswerer::Item>& MenuAnswerer::items() {
    if (thread_.joinable()) thread_.join();
    return items_;
}

void MenuAnswerer::run() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    HWND window = nullptr;
    while (!window && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(matchMenu, reinterpret_cast<LPARAM>(&window));
        if (!window) Sleep(50);
    }
    if (!window) return;
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, kGetMenuHandle, 0, 0));
    int chosen = -1;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        char caption[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        items_.push_back({caption, (state & MF_CHECKED) != 0, (state & MF_GRAYED) != 0});
        if (choose_ == caption) chosen = i;
    }
    if (!screenshot_.empty()) {
        Sleep(200); // drawn by then
        saveScreenshot(window, screenshot_, false);
    }
    if (chosen < 0) {
        postKey(window, VK_ESCAPE);
        return;
    }
    // Down from no selection reaches the first item; every item here is a command.
    for (int i = 0; i <= chosen; ++i)
        postKey(window, VK_DOWN);
    postKey(window, VK_RETURN);
}

} // namespace remvana::testing
