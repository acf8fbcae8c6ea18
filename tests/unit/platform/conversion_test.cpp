#include <gtest/gtest.h>

#include "platform/conversion.h"

namespace remvana {

TEST(StrToInt, AcceptsSignedDecimalAfterLeadingBlanks) {
    EXPECT_EQ(0, strToInt("0"));
    EXPECT_EQ(3, strToInt("3"));
    EXPECT_EQ(-1, strToInt("-1"));
    EXPECT_EQ(42, strToInt("+42"));
    EXPECT_EQ(7, strToInt("   7"));
    EXPECT_EQ(2147483647, strToInt("2147483647"));
    EXPECT_EQ(-2147483647 - 1, strToInt("-2147483648"));
    EXPECT_EQ(12, strToInt("0012"));
}

TEST(StrToInt, RejectsAnythingElseWithThePlatformMessage) {
    for (const char* text : {"", " ", "-", "+", "1 ", "1.5", "x1", "2147483648", "-2147483649",
                             "99999999999999999999", " B\\app.exe", "- 1"}) {
        EXPECT_FALSE(tryStrToInt(text).has_value()) << '"' << text << '"';
    }
    try {
        strToInt(" B\\app.exe");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ("' B\\app.exe' is not a valid integer value", error.what());
    }
}

} // namespace remvana
