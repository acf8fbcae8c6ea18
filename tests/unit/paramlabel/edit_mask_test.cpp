#include <gtest/gtest.h>

#include "widgets/paramlabel/edit_mask.h"

namespace remvana {
namespace {

TEST(EditMask, TextsFitOrFailPlaceByPlace) {
    struct Case {
        const char* mask;
        const char* text;
        std::optional<std::string> value;
    } cases[] = {
        {"000-00", "123-45", "123-45"},
        {"000-00;0", "123-45", "12345"},
        {"000-00", "12a-45", std::nullopt}, // a letter where a digit is required
        {"000-00", "123.45", std::nullopt}, // the literal is missing
        {"000-00", "123-4_", std::nullopt}, // a required place left blank
        {"000-99", "123-4_", "123-4"},      // an optional one may be
        {"000-99", "123-", "123-"},         // missing places at the end are blanks
        {"000", "1234", std::nullopt},      // longer than the mask
        {"#99", "-5 ", "-5"},
        {">LL<ll", "abCD", "ABcd"},
        {">L<>l", "ab", "Ab"},
        {"\\0A", "0x", "0x"},
        {"\\0A", "1x", std::nullopt},   // an escaped position character is a literal
        {"CcAa", "%  1", std::nullopt}, // A needs a letter or digit
        {"CcAa", "% 1 ", "%1"},
        {"99:99;1;*", "1*:3*", "1:3"}, // another blank character
        {"", "anything", "anything"},
        // Places hold whole characters; letters of any script count, only ASCII ones shift.
        {"CC", "\u65E5\u672C", "\u65E5\u672C"},
        {">LLL", "\u00E9ab", "\u00E9AB"},
        {"L", "\u65E5\u672C", std::nullopt},
        {"0", "\u0661", std::nullopt}, // an Arabic-Indic digit is no ASCII digit
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, maskedValue(parseEditMask(c.mask), c.text)) << c.mask << " / " << c.text;
}

TEST(EditMask, ValuesAreLaidIntoThePlaces) {
    EXPECT_EQ("12-__", maskedEditText(parseEditMask("00-00"), "12"));
    EXPECT_EQ("12-34", maskedEditText(parseEditMask("00-00"), "12-34"));
    EXPECT_EQ("12-34", maskedEditText(parseEditMask("00-00;0"), "1234"));
    EXPECT_EQ("AB", maskedEditText(parseEditMask(">LL"), "ab"));
    EXPECT_EQ("\u65E5-\u672C", maskedEditText(parseEditMask("C-C"), "\u65E5\u672C"));
    // Too long for the mask: nothing of it is hidden, and it does not fit.
    EXPECT_EQ("1234", maskedEditText(parseEditMask("00"), "1234"));
}

} // namespace
} // namespace remvana
