#pragma once
// Case folding of ASCII letters only, for names and keywords that are ASCII (registry value
// names, markup tags, file extensions, date pictures). Every other byte, including every byte
// of a multi-byte character, is left alone, so folding never breaks a sequence and never
// depends on the C library's locale.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace remvana {

constexpr char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiUpperCased(std::string text) {
    for (char& c : text)
        c = asciiUpper(c);
    return text;
}
inline std::string asciiLowerCased(std::string text) {
    for (char& c : text)
        c = asciiLower(c);
    return text;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

constexpr bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

constexpr bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

// Byte order of the lower-cased texts (so '_' sorts before letters, not after them as it
// would among upper-cased ones).
inline bool lessIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(asciiLower(x)) <
               static_cast<unsigned char>(asciiLower(y));
    });
}

} // namespace remvana
