#include <gtest/gtest.h>

#include "platform/display_scale.h"

namespace remvana {
namespace {

// MulDiv's rounding: to the nearest pixel, halves away from zero (font heights are negative).
TEST(Scaled, RoundsAsMulDivDoes) {
    struct Case {
        int px, dpi, expected;
    };
    for (const Case& c : {Case{883, 96, 883}, Case{-11, 96, -11}, Case{1, 120, 1}, Case{2, 120, 3},
                          Case{13, 144, 20}, Case{-11, 144, -17}, Case{-11, 120, -14},
                          Case{32, 192, 64}, Case{7, 0, 7}})
        EXPECT_EQ(c.expected, scaled(c.px, c.dpi)) << c.px << " at " << c.dpi;
    EXPECT_EQ(100, rescaled(150, 144, 96)); // a column sized at 150 % back at 100 %
}

} // namespace
} // namespace remvana
