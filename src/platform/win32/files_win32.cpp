#include "platform/win32/files_win32.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/shell_win32.h"

namespace remvana {
namespace {

std::string lastErrorText() {
    return Win32Shell().lastErrorText();
}

} // namespace

std::string Win32FileSystem::localAppDataFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    std::string folder(path);
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

bool Win32FileSystem::createFolders(const std::string& path) {
    // Each folder from the top down; those already there (and the drive) simply fail.
    for (std::size_t at = 0; at != std::string::npos;) {
        at = path.find('\\', at + 1);
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::writeNewFile(const std::string& path,
                                                         const std::vector<std::uint8_t>& bytes) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return lastErrorText();
    DWORD written = 0;
    const bool complete =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file.get());
    // WriteFile may succeed having written less (a full disk): then no error is set, and
    // the system's text would read "Success".
    std::string reason;
    if (!complete)
        reason = GetLastError() == ERROR_SUCCESS
                     ? std::string("Not all of it could be written; the disk may be full")
                     : lastErrorText();
    if (!file.close() && complete) reason = lastErrorText();
    if (complete && reason.empty()) return std::nullopt;
    DeleteFileA(path.c_str()); // never leave a backup that is only half there
    return reason.empty() ? std::string("The file was not written completely") : reason;
}

std::optional<std::vector<std::uint8_t>> Win32FileSystem::readFile(const std::string& path,
                                                                   std::string& reason) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) {
        reason = lastErrorText();
        return std::nullopt;
    }
    // Backups are a few kilobytes; anything near this is not one of them.
    constexpr LONGLONG kLargest = 64 * 1024 * 1024;
    if (size.QuadPart > kLargest) {
        reason = "The file is too large";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        reason = lastErrorText();
        return std::nullopt;
    }
    return bytes;
}

} // namespace remvana
