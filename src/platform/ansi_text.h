#pragma once
// UTF-16 text (the usage record's image path, version strings) turned into the 8-bit text
// the rest of the program works with, and back (registry export files hold UTF-16).
#include <string>
#include <string_view>

namespace remvana {

// Into the process code page (UTF-8, unless Windows ignores the manifest's setting); units
// it cannot represent become '?' (a lone surrogate U+FFFD).
std::string utf16ToAnsi(std::u16string_view units);

// Latin-1, the last resort when the system cannot convert: a unit below 256 becomes the byte
// of that value, any other '?'.
std::string utf16ToLatin1(std::u16string_view units);

// From the system's ANSI code page; every byte, NULs included, gives its unit(s).
std::u16string ansiToUtf16(std::string_view text);

// The inverse of utf16ToLatin1: each byte becomes the unit of that value.
std::u16string latin1ToUtf16(std::string_view text);

// 8-bit text of the system's ANSI code page as UTF-8, for outputs that are UTF-8 whatever
// the code page (JSON, TSV). Bytes the code page cannot decode become U+FFFD.
std::string ansiToUtf8(std::string_view text);

} // namespace remvana
