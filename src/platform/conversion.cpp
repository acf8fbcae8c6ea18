#include "platform/conversion.h"

namespace remvana {

std::optional<std::int32_t> tryStrToInt(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at == text.size()) return std::nullopt;
    // Accumulate the magnitude in 64 bits and stop as soon as it can no longer fit.
    constexpr std::int64_t kLimit = 2147483648LL; // |INT32_MIN|
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) return std::nullopt;
    }
    if (!negative && magnitude == kLimit) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t strToInt(const std::string& text) {
    if (const auto value = tryStrToInt(text)) return *value;
    throw ConversionError("'" + text + "' is not a valid integer value");
}

} // namespace remvana
