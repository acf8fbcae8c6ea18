#pragma once
// One registry value queried through ntdll, as the ...A query gives it. The ...A query asks
// ntdll with a buffer of 256 bytes of its own whatever the caller passes, so a longer value
// (a usage record is 552 bytes) costs it a second request to the registry; asked directly
// with room for the whole value it is one.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace remvana {

// As the ...A query gives it: the result (ERROR_FILE_NOT_FOUND for no such value,
// ERROR_MORE_DATA when the value kept growing while it was read), the value's type and, on
// success, its bytes: string types converted to the ANSI code page by the same ntdll
// functions the ...A query converts with. Nothing when ntdll lacks those functions; the
// caller then asks the ...A query.
struct QueriedValue {
    LONG result = ERROR_SUCCESS;
    DWORD type = 0;
    std::vector<std::uint8_t> data;
};
// `expectedSize` is the room asked for first. Nothing, too, for a predefined root key, which
// only the ...A query resolves.
std::optional<QueriedValue> queryValueNatively(HKEY key, const std::string& name,
                                               std::size_t expectedSize);

} // namespace remvana
