#pragma once
// Text to number conversion as the platform's runtime does it, with its error texts.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace remvana {

// A text that does not convert, or a date that cannot be encoded; the message is shown as is.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Decimal with an optional sign; leading blanks are skipped, nothing may follow the digits,
// and the value must fit a signed 32-bit integer. Nothing when the text does not convert.
std::optional<std::int32_t> tryStrToInt(const std::string& text);
// As tryStrToInt, raising "'<text>' is not a valid integer value" when it does not convert.
std::int32_t strToInt(const std::string& text);

} // namespace remvana
