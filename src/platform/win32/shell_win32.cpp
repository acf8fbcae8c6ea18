#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <msi.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/system_library.h"

namespace remvana {

namespace {
HICON toHicon(IconHandle icon) {
    return reinterpret_cast<HICON>(icon);
}
IconHandle fromHicon(HICON icon) {
    return reinterpret_cast<IconHandle>(icon);
}
} // namespace

void Win32Shell::openTarget(const std::string& target) {
    ShellExecuteA(nullptr, "open", target.c_str(), "", "", SW_SHOWDEFAULT);
}

unsigned Win32Shell::extractIconEx(const std::string& file, int index, IconHandle* large,
                                   IconHandle* small) {
    HICON largeIcon = nullptr;
    HICON smallIcon = nullptr;
    const UINT count = ExtractIconExA(file.c_str(), index, large ? &largeIcon : nullptr,
                                      small ? &smallIcon : nullptr, 1);
    if (large) *large = fromHicon(largeIcon);
    if (small) *small = fromHicon(smallIcon);
    return count;
}

unsigned Win32Shell::extractIconAt(const std::string& file, int index, int size, IconHandle* icon) {
    if (size <= 0 || size == GetSystemMetrics(SM_CXICON))
        return extractIconEx(file, index, icon, nullptr);
    HICON made = nullptr;
    UINT id = 0;
    const UINT count = PrivateExtractIconsA(file.c_str(), index, size, size, &made, &id, 1, 0);
    // 0xFFFFFFFF: the file could not be read; a count without an icon: none at that index.
    const bool found = count != 0xFFFFFFFF && count > 0 && made != nullptr;
    *icon = found ? fromHicon(made) : 0;
    return found ? 1 : 0;
}

std::string Win32Shell::fileTypeName(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME)) return {};
    info.szTypeName[sizeof info.szTypeName - 1] = '\0';
    return info.szTypeName;
}

IconHandle Win32Shell::smallShellIcon(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info,
                        SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON))
        return 0;
    return fromHicon(info.hIcon);
}

void Win32Shell::destroyIcon(IconHandle icon) {
    // The icon comes back to its owner, which gives it to DestroyIcon as it goes.
    ScopedIcon returned(toHicon(icon));
}

bool Win32Shell::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Shell::directoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Shell::expandEnvironment(const std::string& text) {
    // The first call tells the size needed, terminating zero included.
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::string expanded(needed, '\0');
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) return text;
    expanded.resize(written - 1);
    return expanded;
}

bool Win32Shell::msiProductKnown(const std::string& productCode) {
    static const auto query =
        systemFunction<decltype(MsiQueryProductStateA)>("msi.dll", "MsiQueryProductStateA");
    // Without Windows Installer no product is known to it.
    if (!query) return false;
    const INSTALLSTATE state = query(productCode.c_str());
    return state == INSTALLSTATE_DEFAULT || state == INSTALLSTATE_ADVERTISED ||
           state == INSTALLSTATE_ABSENT;
}

std::string Win32Shell::systemDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    // A length of MAX_PATH or more is the size the buffer would have needed: nothing fitted.
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(buffer, length);
}

std::string Win32Shell::lastErrorText() {
    const DWORD error = GetLastError();
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, buffer, sizeof buffer, nullptr);
    // The system's texts end in a full stop and a line break; the error box adds its own.
    while (length > 0 &&
           (static_cast<unsigned char>(buffer[length - 1]) <= ' ' || buffer[length - 1] == '.'))
        --length;
    return std::string(buffer, length);
}

std::string Win32Shell::computerName() {
    char buffer[16] = {};
    DWORD size = sizeof buffer;
    if (!GetComputerNameA(buffer, &size)) return {};
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

std::string Win32Shell::documentsFolder() {
    LPITEMIDLIST raw = nullptr;
    const bool located = SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &raw));
    const ScopedItemIdList items(located ? raw : nullptr);
    if (!located || !items) return {};
    char path[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListA(items.get(), path);
    return found ? std::string(path) : std::string();
}

} // namespace remvana
