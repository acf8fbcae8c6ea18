#include "platform/ansi_text.h"
#include "platform/utf8.h"

namespace remvana {

// The native build (the unit suites and fuzz targets) runs with a UTF-8 code page.
std::string utf16ToAnsi(std::u16string_view units) {
    return utf16ToUtf8(units);
}

// The native build's code page is UTF-8; the round trips mend sequences that are not.
std::u16string ansiToUtf16(std::string_view text) {
    return utf8ToUtf16(text);
}

} // namespace remvana
