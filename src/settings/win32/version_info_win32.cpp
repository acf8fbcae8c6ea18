#include "settings/win32/version_info_win32.h"

namespace remvana {

std::unique_ptr<TVersionInfo> createVersionInfo(HMODULE module, Locale& locale) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (bytes == nullptr || size == 0) throw VersionInfoError(kUnableToLoadVersionInfo);
    const auto* begin = static_cast<const std::uint8_t*>(bytes);
    return std::make_unique<TVersionInfo>(std::vector<std::uint8_t>(begin, begin + size), locale);
}

} // namespace remvana
