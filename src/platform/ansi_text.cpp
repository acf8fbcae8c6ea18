#include "platform/ansi_text.h"

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

std::u16string latin1ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (char byte : text)
        units.push_back(static_cast<unsigned char>(byte));
    return units;
}

// The conversions the core needs from the system. They are chosen here rather than behind an
// interface because record fields convert themselves and carry no services; the Windows
// build asks kernel32 for the user's ANSI code page.
#ifdef _WIN32
std::string utf16ToAnsi(std::u16string_view units) {
    if (units.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int count = static_cast<int>(units.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return utf16ToLatin1(units);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, count, text.data(), size, nullptr, nullptr);
    return text;
}

std::u16string ansiToUtf16(std::string_view text) {
    if (text.empty()) return {};
    const int count = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    if (size <= 0) return latin1ToUtf16(text);
    std::u16string units(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), count, reinterpret_cast<wchar_t*>(units.data()),
                        size);
    return units;
}
#else
std::string utf16ToAnsi(std::u16string_view units) {
    return utf16ToLatin1(units);
}

std::u16string ansiToUtf16(std::string_view text) {
    return latin1ToUtf16(text);
}
#endif

} // namespace remvana
