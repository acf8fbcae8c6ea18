#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/utf8.h"

namespace remvana {

// The conversions the core needs from the system. They are chosen here rather than behind an
// interface because record fields convert themselves and carry no services. The process
// code page is UTF-8 (the manifest asks for it); only a Windows that ignores that setting
// needs kernel32, which then converts without best-fit look-alikes.
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

std::u16string ansiToUtf16(std::string_view text) {
    if (GetACP() == CP_UTF8) return utf8ToUtf16(text);
    if (text.empty()) return {};
    const int count = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    if (size <= 0) return latin1ToUtf16(text);
    std::u16string units(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), count, reinterpret_cast<wchar_t*>(units.data()),
                        size);
    return units;
}

} // namespace remvana
