#include <windows.h>

#include <gtest/gtest.h>

#include "platform/ansi_text.h"
#include "platform/win32/code_page_win32.h"

namespace remvana {

// The manifest's activeCodePage makes the process code page UTF-8, so every ...A call and
// every conversion into the program's text is lossless.
TEST(AnsiText, ProcessCodePageIsUtf8AndConversionsAreExact) {
    ASSERT_EQ(static_cast<UINT>(CP_UTF8), GetACP());
    EXPECT_EQ("\u20AC caf\u00E9 \u4E2D \U0001F600",
              utf16ToAnsi(u"\u20AC caf\u00E9 \u4E2D \U0001F600"));
    EXPECT_EQ("", utf16ToAnsi(u""));
    EXPECT_EQ(u"\u65E5\u672C \U0001F600", ansiToUtf16("\u65E5\u672C \U0001F600"));
    // A lone surrogate is the one thing UTF-8 cannot hold.
    EXPECT_TRUE(processCodePage().fromUtf16(u"\u65E5").exact);
    EXPECT_FALSE(processCodePage().fromUtf16(u"a\xD800").exact);
}

} // namespace remvana
