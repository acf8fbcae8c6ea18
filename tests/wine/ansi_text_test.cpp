#include <windows.h>

#include <gtest/gtest.h>

#include "platform/ansi_text.h"

namespace remvana {

TEST(AnsiText, ConvertsThroughTheSystemCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252";
    // The euro sign has a byte of its own in 1252 (0x80) but none in Latin-1.
    EXPECT_EQ("\x80 caf\xE9 ?", utf16ToAnsi(u"\u20AC caf\u00E9 \u4E2D"));
    EXPECT_EQ("", utf16ToAnsi(u""));
}

} // namespace remvana
