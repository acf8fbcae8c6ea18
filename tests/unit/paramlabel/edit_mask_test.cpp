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
        {"cC", "x", std::nullopt}, // C requires a character as much as 0, L and A do
        {"C", "", std::nullopt},
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

// Each keystroke on a text with a selection (start, end): the text after it, where the caret
// lands, and whether the keystroke was taken (a refused one changes nothing).
TEST(EditMask, TypingKeepsTheTextToTheMask) {
    enum class Key { Type, Backspace, Delete, Cut, Paste };
    struct Case {
        const char* mask;
        const char* text;
        std::size_t start, end;
        Key key;
        const char* input;
        const char* after;
        std::size_t caret;
        bool taken;
    } cases[] = {
        // Accepted where the place allows it, with its case shift; the caret steps over the
        // literal that follows.
        {"00-00", "__-__", 1, 1, Key::Type, "7", "_7-__", 3, true},
        {">LL-000", "__-___", 0, 0, Key::Type, "q", "Q_-___", 1, true},
        {"A", "_", 0, 0, Key::Type, "\u00E9", "\u00E9", 1, true},
        // Refused: a letter in a digit place, anything past the end, a control character.
        {"00-00", "12-34", 3, 3, Key::Type, "x", "12-34", 3, false},
        {"00", "12", 2, 2, Key::Type, "3", "12", 2, false},
        {"CC", "__", 0, 0, Key::Type, "\t", "__", 0, false},
        // Typed at a literal: a digit goes to the place after it, the literal itself steps.
        {"00-00", "12-__", 2, 2, Key::Type, "5", "12-5_", 4, true},
        {"00-00", "12-__", 2, 2, Key::Type, "-", "12-__", 3, true},
        // Over a selection: the selection is blanked, the character goes into its first place.
        {"00-00", "12-34", 0, 5, Key::Type, "9", "9_-__", 1, true},
        {"00-00", "12-34", 0, 5, Key::Type, "x", "12-34", 5, false},
        // A space empties an optional place only; a short text is filled up first.
        {"090", "123", 1, 1, Key::Type, " ", "1_3", 2, true},
        {"000", "123", 1, 1, Key::Type, " ", "123", 1, false},
        {"00:00", "1", 1, 1, Key::Type, "2", "12:__", 3, true},
        // Erasing blanks places and keeps the literals; the rest does not shift.
        {"00-00", "12-34", 3, 3, Key::Backspace, "", "1_-34", 1, true},
        {"00-00", "12-34", 0, 0, Key::Backspace, "", "12-34", 0, true},
        {"00-00", "12-34", 2, 2, Key::Delete, "", "12-_4", 4, true},
        {"00-00", "12-34", 1, 4, Key::Cut, "", "1_-_4", 1, true},
        // Beyond the mask an overlong value's characters are taken out.
        {"00", "1234", 3, 3, Key::Backspace, "", "124", 2, true},
        {"00", "1234", 2, 2, Key::Delete, "", "124", 2, true},
        // Pasted position by position: literals step, misfits are left out, line breaks
        // ignored, and nothing changes when nothing fits.
        {"00-00", "__-__", 0, 0, Key::Paste, "12-34\r\n", "12-34", 5, true},
        {"00-00", "__-__", 0, 0, Key::Paste, "1234", "12-34", 5, true},
        {"(000) 000", "(___) ___", 0, 0, Key::Paste, "555 1a23", "(555) 123", 9, false},
        {"00-00", "12-34", 0, 5, Key::Paste, "ab", "12-34", 5, false},
        {"00", "__", 0, 0, Key::Paste, "123", "12", 2, false},
    };
    for (const Case& c : cases) {
        MaskedTyping typing(parseEditMask(c.mask), c.text, c.start, c.end);
        bool taken = true;
        switch (c.key) {
        case Key::Type:
            taken = typing.type(c.input);
            break;
        case Key::Backspace:
            typing.eraseBackward();
            break;
        case Key::Delete:
            typing.eraseForward();
            break;
        case Key::Cut:
            typing.eraseSelection();
            break;
        case Key::Paste:
            taken = typing.paste(c.input);
            break;
        }
        const std::string what = std::string(c.mask) + " / " + c.text + " / " + c.input;
        EXPECT_EQ(c.after, typing.text()) << what;
        EXPECT_EQ(c.caret, typing.caret()) << what;
        EXPECT_EQ(c.taken, taken) << what;
    }
}

} // namespace
} // namespace remvana
