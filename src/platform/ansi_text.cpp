#include "platform/ansi_text.h"

#include "platform/utf8.h"

// The conversions that need no system, or only through ansiToUtf16. Those that do (utf16ToAnsi,
// ansiToUtf16) are in win32/ansi_text_win32.cpp for Windows and native/ansi_text_native.cpp (UTF-8)
// for the native build.
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

// Through UTF-16 even when the code page is UTF-8 already: that also mends sequences that are
// not valid UTF-8.
std::string ansiToUtf8(std::string_view text) {
    return utf16ToUtf8(ansiToUtf16(text));
}

} // namespace remvana
