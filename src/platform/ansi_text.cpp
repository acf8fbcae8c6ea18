#include "platform/ansi_text.h"

// The conversions that need no system. Those that do (utf16ToAnsi, ansiToUtf16, ansiToUtf8)
// are in win32/ansi_text_win32.cpp for Windows and native/ansi_text_native.cpp (UTF-8) for
// the native build.
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

} // namespace remvana
