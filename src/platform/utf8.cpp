#include "platform/utf8.h"

namespace remvana {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

} // namespace

Utf8Char decodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return {kReplacementCharacter, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size() || !isContinuation(static_cast<unsigned char>(text[at + i])))
            return {kReplacementCharacter, i};
        value = (value << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        // Reject overlong forms, surrogates and values past U+10FFFF as soon as the second
        // byte tells, so a bad sequence never swallows a good character after it.
        if (i == 1) {
            const char32_t floor = smallest >> (6 * (length - 2));
            const char32_t partial = value;
            if (partial < floor || (length == 3 && partial >= 0x360 && partial <= 0x37F) ||
                (length == 4 && partial > 0x10F))
                return {kReplacementCharacter, 1};
        }
    }
    if (value < smallest || isSurrogate(value) || value > 0x10FFFF)
        return {kReplacementCharacter, length};
    return {value, length};
}

void appendUtf8(std::string& out, char32_t c) {
    if (isSurrogate(c) || c > 0x10FFFF) c = kReplacementCharacter;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += decodeUtf8(text, at).length)
        ++count;
    return count;
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = decodeUtf8(text, at);
        at += c.length;
        if (c.codePoint < 0x10000) {
            units += static_cast<char16_t>(c.codePoint);
        } else {
            const char32_t v = c.codePoint - 0x10000;
            units += static_cast<char16_t>(0xD800 + (v >> 10));
            units += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        }
    }
    return units;
}

namespace {

// The code point at `at` and how many units it takes; a lone surrogate reads as U+FFFD.
std::pair<char32_t, std::size_t> decodeUtf16(std::u16string_view units, std::size_t at) {
    const char16_t unit = units[at];
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < units.size() && units[at + 1] >= 0xDC00 &&
        units[at + 1] <= 0xDFFF)
        return {0x10000 + ((unit - 0xD800) << 10) + (units[at + 1] - 0xDC00), 2};
    if (isSurrogate(unit)) return {kReplacementCharacter, 1};
    return {unit, 1};
}

} // namespace

std::string utf16ToUtf8(std::u16string_view units) {
    std::string text;
    text.reserve(units.size());
    for (std::size_t at = 0; at < units.size();) {
        const auto [codePoint, length] = decodeUtf16(units, at);
        appendUtf8(text, codePoint);
        at += length;
    }
    return text;
}

bool isWellFormedUtf16(std::u16string_view units) {
    for (std::size_t at = 0; at < units.size();) {
        const auto [codePoint, length] = decodeUtf16(units, at);
        if (codePoint == kReplacementCharacter && units[at] != kReplacementCharacter) return false;
        at += length;
    }
    return true;
}

} // namespace remvana
