#include "settings/win32/string_table_win32.h"

namespace remvana {

std::string Win32StringTable::loadString(long long id) {
    // String ids are 16 bits; LoadStringA would fold larger ones onto others.
    if (id < 0 || id > 0xFFFF) return {};
    char buffer[1024] = {};
    const int length =
        LoadStringA(module_, static_cast<UINT>(id), buffer, static_cast<int>(sizeof buffer));
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

} // namespace remvana
