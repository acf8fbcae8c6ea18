#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace remvana {
namespace {

// A single-byte code page as a legacy Windows has it: Latin-1 holds U+0000 to U+00FF, and
// anything else is "?" (never a best-fit look-alike).
class Latin1CodePage : public CodePage {
  public:
    Converted fromUtf16(std::u16string_view units) const override {
        Converted out{{}, true};
        for (char16_t unit : units) {
            out.text += unit < 256 ? static_cast<char>(unit) : '?';
            if (unit >= 256) out.exact = false;
        }
        return out;
    }
};

TEST(CodePageFallback, SubkeyNamesTheCodePageCannotHoldAreMarkedNeverLookAlikes) {
    const Latin1CodePage latin1;
    EXPECT_EQ("Caf\xE9", subkeyNameFromUtf16(u"Caf\u00E9", latin1));
    EXPECT_FALSE(isUnrepresentableKeyName("Caf\xE9"));

    // The fullwidth reverse solidus must not become a path separator to a nested key.
    const std::string victim = subkeyNameFromUtf16(u"Victim\uFF3CSub", latin1);
    EXPECT_TRUE(isUnrepresentableKeyName(victim));
    EXPECT_EQ("\\Victim?Sub", victim);
    EXPECT_EQ("Victim?Sub [name not supported by this system's code page]",
              unrepresentableKeyDisplayName(victim));

    EXPECT_TRUE(isUnrepresentableKeyName(subkeyNameFromUtf16(u"\u65E5\u672C", latin1)));
    // A name with a NUL in it would be cut short by every ...A call.
    EXPECT_TRUE(isUnrepresentableKeyName(subkeyNameFromUtf16(std::u16string(u"a\0b", 3), latin1)));
}

TEST(CodePageFallback, AnEditTheCodePageCannotHoldIsRefusedNamingTheValue) {
    const Latin1CodePage latin1;
    EXPECT_EQ("Caf\xE9", exactEditText(u"Caf\u00E9", latin1, "Publisher"));
    try {
        exactEditText(u"Caf\u00E9 \u20AC \u65E5\u672C", latin1, "Publisher");
        FAIL() << "an edit with characters beyond Latin-1 was accepted";
    } catch (const UnrepresentableTextError& error) {
        EXPECT_STREQ("The new text for 'Publisher' has characters this system's code page cannot "
                     "store; it was not changed",
                     error.what());
    }
}

TEST(CodePageFallback, Utf8HoldsEverythingButLoneSurrogates) {
    const Utf8CodePage utf8;
    EXPECT_EQ("\u65E5 \U0001F600", subkeyNameFromUtf16(u"\u65E5 \U0001F600", utf8));
    EXPECT_TRUE(isUnrepresentableKeyName(subkeyNameFromUtf16(std::u16string(u"x\xD800", 2), utf8)));
}

} // namespace
} // namespace remvana
