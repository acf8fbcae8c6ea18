#include "window_fixture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/win32/application.h"
#include "list_view_probe.h"

namespace remvana::testing {

namespace {

struct Search {
    int id;
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    if (search.className.empty()
            ? GetDlgCtrlID(hwnd) == search.id
            : lstrcmpiA(classNameOf(hwnd).c_str(), search.className.c_str()) == 0)
        search.found.push_back(hwnd);
    return TRUE;
}

} // namespace

HWND findControl(HWND root, int id) {
    Search search{id, {}, {}};
    if (root) EnumChildWindows(root, collect, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> findByClass(HWND root, const std::string& className) {
    Search search{0, className, {}};
    if (root) EnumChildWindows(root, collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string classNameOf(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string windowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    const int length = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string waitForFile(const std::string& path) {
    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (bytes.empty() && std::chrono::steady_clock::now() < deadline) {
        Sleep(100);
        bytes = readFile(path);
    }
    return bytes;
}

HWND createHostWindow(const Rect& at) {
    static const bool registered = [] {
        WNDCLASSA host{};
        host.lpfnWndProc = DefWindowProcA;
        host.hInstance = GetModuleHandleA(nullptr);
        host.lpszClassName = "RemvanaTestHost";
        return RegisterClassA(&host) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExA(0, "RemvanaTestHost", "host", WS_POPUP | WS_VISIBLE, at.left, at.top,
                           at.width(), at.height(), nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

Rect windowRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void pumpMessages(int milliseconds) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (milliseconds > 0) Sleep(5);
    } while (static_cast<LONG>(GetTickCount() - until) < 0);
}

void clickControl(HWND hwnd) {
    const auto code = SendMessageA(hwnd, WM_GETDLGCODE, 0, 0);
    if (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessageA(hwnd, BM_CLICK, 0, 0);
        return;
    }
    const Size size = clientSizeOf(hwnd);
    const LPARAM at = MAKELPARAM(size.cx / 2, size.cy / 2);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
}

std::string saveScreenshot(HWND hwnd, const std::string& name, bool repaintFirst) {
    if (repaintFirst) {
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpMessages(100);
    }
    const Rect r = windowRectOf(hwnd);
    const int width = r.width();
    const int height = r.height();
    if (width <= 0 || height <= 0) return {};

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // The window's own DC includes its frame and every child as painted.
    HDC source = GetWindowDC(hwnd);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, source);
    GdiFlush();

    const int stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageSize = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    const char* folder = std::getenv("REMVANA_TEST_ARTIFACTS");
    std::string path =
        (folder && *folder ? std::string(folder) + "\\" : std::string()) + name + ".bmp";
    // The artifacts folder is a Unix path when set by the test script; Wine maps it.
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    bool ok = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, imageSize, 1, out) == 1;
        ok = std::fclose(out) == 0 && ok;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok ? path : std::string();
}

void MainWindowFixture::openWindow() {
    // Every Windows installation has the uninstall store; a fresh test prefix may not yet.
    HKEY store = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &store, nullptr) == ERROR_SUCCESS)
        RegCloseKey(store);
    if (recordErrors)
        Application.ErrorBoxHook = [this](const std::string& text) { errors.push_back(text); };
    form_ = std::make_unique<T_mainForm>(GetModuleHandleA(nullptr), services);
    ASSERT_NE(nullptr, form_->create());
    form_->show(SW_SHOWNORMAL);
    SetForegroundWindow(form_->hwnd());
    SetActiveWindow(form_->hwnd());
    pumpMessages(50);
}

void MainWindowFixture::refreshAndWait() {
    clickControl(control(layout::kRefreshButtonId));
    waitForRefresh();
}

void MainWindowFixture::waitForRefresh() {
    const ULONGLONG start = GetTickCount64();
    while (form_ && form_->refreshing() && GetTickCount64() - start < 20000)
        pumpMessages(5);
    EXPECT_FALSE(form_ && form_->refreshing()) << "the refresh did not show its list";
    pumpMessages();
}

void MainWindowFixture::closeWindow() {
    form_.reset();
    pumpMessages();
}

void MainWindowFixture::TearDown() {
    closeWindow();
    Application.ErrorBoxHook = nullptr;
    files.removeBackups();
}

ScratchFileSystem::ScratchFileSystem() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    appData = std::string(temp) + "remvana-appdata-" + std::to_string(GetCurrentProcessId());
}

std::vector<std::string> ScratchFileSystem::backups() const {
    const std::string folder = appData + "\\Kelvane\\Remvana\\Backups\\";
    std::vector<std::string> paths;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*.reg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return paths;
    do {
        paths.push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(paths.begin(), paths.end());
    return paths;
}

void ScratchFileSystem::removeBackups() const {
    for (const std::string& path : backups())
        DeleteFileA(path.c_str());
}

int MainWindowFixture::rowOf(const std::string& caption) {
    return listRowOf(controlOf(form(), layout::kListViewId), caption);
}

void MainWindowFixture::selectRow(const std::string& caption) {
    ASSERT_TRUE(selectListRow(controlOf(form(), layout::kListViewId), caption)) << caption;
    pumpMessages(20);
}

void MainWindowFixture::addToSelection(const std::string& caption) {
    const int row = rowOf(caption);
    ASSERT_GE(row, 0) << caption;
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(controlOf(form(), layout::kListViewId), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
    pumpMessages(20);
}

void MainWindowFixture::resizeWindow(int outerWidth, int outerHeight) {
    SetWindowPos(window(), nullptr, 0, 0, outerWidth, outerHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages(20);
}

} // namespace remvana::testing
