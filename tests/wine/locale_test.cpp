#include <gtest/gtest.h>

#include "platform/win32/locale_win32.h"

namespace remvana {

TEST(Win32Locale, IgnoringCaseOrdersNamesAlphabetically) {
    Win32Locale locale;
    EXPECT_LT(locale.compareIgnoreCase("A", "b"), 0);
    EXPECT_LT(locale.compareIgnoreCase("b", "c"), 0);
    EXPECT_EQ(0, locale.compareIgnoreCase("abc", "ABC"));
}

TEST(Win32Locale, WordSortInterleavesCases) {
    Win32Locale locale;
    // Unlike a byte comparison, "apple" sorts before "Banana".
    EXPECT_LT(locale.compare("apple", "Banana"), 0);
    EXPECT_GT(locale.compare("zeta", "Alpha"), 0);
}

} // namespace remvana
