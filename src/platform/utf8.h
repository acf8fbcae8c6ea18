#pragma once
// The program's text is UTF-8 (the process code page, see the application manifest). These
// helpers walk it by characters rather than bytes, and cross to UTF-16 where Windows wants
// wide text. Malformed input never fails: each bad or truncated sequence reads as one
// U+FFFD, so it shows as a replacement character instead of breaking what follows.
#include <cstddef>
#include <string>
#include <string_view>

namespace remvana {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0; // bytes taken from the text, at least 1
};

// The character starting at `at` (< text.size()). A sequence that is cut short, overlong,
// a surrogate or beyond U+10FFFF gives U+FFFD and takes only the bytes up to where it went
// wrong (at least one), so the next character is read from the first byte it could start at.
Utf8Char decodeUtf8(std::string_view text, std::size_t at);

// Appends the UTF-8 form of a code point (U+FFFD for a surrogate or anything out of range).
void appendUtf8(std::string& out, char32_t codePoint);

// How many characters the text holds, a malformed sequence counting as one.
std::size_t utf8Length(std::string_view text);

std::u16string utf8ToUtf16(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view units);
// Whether the units convert to UTF-8 and back unchanged (false only for lone surrogates).
bool isWellFormedUtf16(std::u16string_view units);

} // namespace remvana
