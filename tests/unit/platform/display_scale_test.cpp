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
                          Case{5, 144, 8}, Case{32, 192, 64}, Case{7, 0, 7}})
        EXPECT_EQ(c.expected, scaled(c.px, c.dpi)) << c.px << " at " << c.dpi;
}

TEST(Scaled, RectKeepsItsScaledSizeAndFontItsFace) {
    // Edges scaled one by one would make this 405 wide at 10.5 -> 11 and 415.5 -> 416.
    EXPECT_EQ((Rect{11, 44, 416, 782}), scaledRect({7, 29, 277, 521}, 144));
    const Font font = scaledFont({"Tahoma", -11, 0, true}, 144);
    EXPECT_EQ(-17, font.height);
    EXPECT_EQ("Tahoma", font.face);
    EXPECT_TRUE(font.bold);
}

} // namespace
} // namespace remvana
