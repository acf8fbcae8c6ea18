#include "platform/ascii.h"

#include <gtest/gtest.h>

namespace remvana {
namespace {

TEST(Ascii, OnlyAsciiLettersFold) {
    EXPECT_EQ("AB\u00E9\u0101Z_[", asciiUpperCased("ab\u00E9\u0101z_["));
    EXPECT_EQ("ab\u00C9\u0100z@", asciiLowerCased("AB\u00C9\u0100Z@"));
}

TEST(Ascii, ComparesIgnoringOnlyAsciiCase) {
    struct Case {
        const char* a;
        const char* b;
        bool equal, starts, ends, less;
    };
    const Case cases[] = {
        {"DisplayName", "displayname", true, true, true, false},
        {"PM", "pm", true, true, true, false},
        {"caf\u00E9", "CAF\u00C9", false, false, false, false}, // é and É are not ASCII
        {"file://x", "FILE://", false, true, false, false},
        {"10:30 pm", "PM", false, false, true, true},
        {"a_b", "AB", false, false, false, true}, // '_' sorts before the letters
        {"Zeta", "alpha", false, false, false, false},
        {"", "", true, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(c.equal, equalsIgnoringAsciiCase(c.a, c.b));
        EXPECT_EQ(c.starts, startsWithIgnoringAsciiCase(c.a, c.b));
        EXPECT_EQ(c.ends, endsWithIgnoringAsciiCase(c.a, c.b));
        EXPECT_EQ(c.less, lessIgnoringAsciiCase(c.a, c.b));
    }
}

} // namespace
} // namespace remvana
