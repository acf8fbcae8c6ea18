#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace remvana {
namespace {

struct DecodeCase {
    const char* what;
    std::string text;
    char32_t codePoint;
    std::size_t length;
};

TEST(Utf8, DecodesWholeCharactersAndReplacesBrokenOnes) {
    const DecodeCase cases[] = {
        {"ASCII", "A", U'A', 1},
        {"two bytes", "\xC3\xA9", U'\u00E9', 2},
        {"three bytes", "\xE6\x97\xA5", U'\u65E5', 3},
        {"four bytes", "\xF0\x9F\x98\x80", U'\U0001F600', 4},
        {"cut short at the end", "\xE6\x97", kReplacementCharacter, 2},
        {"cut short by ASCII",
         "\xF0\x9F"
         "A",
         kReplacementCharacter, 2},
        {"stray continuation byte",
         "\x80"
         "A",
         kReplacementCharacter, 1},
        {"invalid lead byte", "\xFF", kReplacementCharacter, 1},
        {"overlong", "\xC0\xAF", kReplacementCharacter, 1},
        {"overlong three bytes", "\xE0\x80\xAF", kReplacementCharacter, 1},
        {"encoded surrogate", "\xED\xA0\x80", kReplacementCharacter, 1},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", kReplacementCharacter, 1},
    };
    for (const DecodeCase& c : cases) {
        const Utf8Char got = decodeUtf8(c.text, 0);
        EXPECT_EQ(c.codePoint, got.codePoint) << c.what;
        EXPECT_EQ(c.length, got.length) << c.what;
    }
}

TEST(Utf8, CountsAndConvertsByCharacters) {
    const std::string mixed = "Caf\u00E9 \u20AC \u65E5\u672C \U0001F600";
    EXPECT_EQ(11u, utf8Length(mixed));
    EXPECT_EQ(u"Caf\u00E9 \u20AC \u65E5\u672C \U0001F600", utf8ToUtf16(mixed));
    EXPECT_EQ(mixed, utf16ToUtf8(utf8ToUtf16(mixed)));
    // A truncated sequence is one replacement character and the text after it survives.
    EXPECT_EQ(u"a\uFFFDb", utf8ToUtf16("a\xE6\x97"
                                       "b"));
    EXPECT_EQ(3u, utf8Length("a\xE6\x97"
                             "b"));
    EXPECT_EQ(u"x\uFFFD", utf8ToUtf16("x\xF0\x9F\x98"));
}

TEST(Utf8, LoneSurrogatesAreTheOnlyIllFormedUtf16) {
    EXPECT_TRUE(isWellFormedUtf16(u"\U0001F600 \uFFFD"));
    EXPECT_FALSE(isWellFormedUtf16(std::u16string_view(u"a\xD83D", 2)));
    EXPECT_FALSE(isWellFormedUtf16(std::u16string_view(u"\xDE00"
                                                       "b",
                                                       2)));
    EXPECT_EQ("a\uFFFD", utf16ToUtf8(std::u16string_view(u"a\xD83D", 2)));
}

} // namespace
} // namespace remvana
