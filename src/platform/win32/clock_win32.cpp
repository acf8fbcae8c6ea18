#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace remvana {

SystemTime Win32Clock::now() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear,   local.wMonth,  local.wDay,         local.wHour,
            local.wMinute, local.wSecond, local.wMilliseconds};
}

std::int64_t Win32Clock::fileTimeToLocalFileTime(std::int64_t utc) {
    const auto bits = static_cast<std::uint64_t>(utc);
    FILETIME in{static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
    FILETIME out{};
    // Fails only for stamps beyond the calendar; the zeroed result stands in then.
    FileTimeToLocalFileTime(&in, &out);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(out.dwHighDateTime) << 32) |
                                     out.dwLowDateTime);
}

} // namespace remvana
