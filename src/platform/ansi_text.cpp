#include "platform/ansi_text.h"

#include "platform/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace remvana {

std::string utf16ToLatin1(std::u16string_view units) {
    std::string text;
    text.reserve(units.size());
    for (char16_t unit : units)
        text.push_back(unit < 256 ? static_cast<char>(unit) : '?');
    return text;
}

// The one conversion the core needs from the system. It is chosen here rather than behind an
// interface because record fields convert themselves and carry no services. The process
// code page is UTF-8 (the manifest asks for it); only a Windows that ignores that setting
// needs kernel32, which then converts without best-fit look-alikes.
#ifdef _WIN32
std::string utf16ToAnsi(std::u16string_view units) {
    if (GetACP() == CP_UTF8) return utf16ToUtf8(units);
    if (units.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int count = static_cast<int>(units.size());
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, nullptr, 0, "?", nullptr);
    if (size <= 0) return utf16ToLatin1(units);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, text.data(), size, "?", nullptr);
    return text;
}
#else
std::string utf16ToAnsi(std::u16string_view units) {
    return utf16ToUtf8(units);
}
#endif

} // namespace remvana
