#pragma once
// The edit masks of "MASK" anchors. A mask is written `positions[;keep[;blank]]`:
//
//   positions  one character per place of the text:
//                0  a digit, required          9  a digit, optional
//                #  a digit, + or -, optional
//                L  a letter, required          l  a letter, optional
//                A  a letter or digit, required a  a letter or digit, optional
//                C  any character, required     c  any character, optional
//              and three switches that take no place:
//                >  upper-cases the letters after it   <  lower-cases them   <>  neither
//              "\" makes the next character a literal; every other character is a literal
//              that stands in the text as it is (":" and "/" too: no locale separators).
//   keep       "0" leaves the literals out of the committed value; anything else (and no
//              field) keeps them.
//   blank      the character that shows an empty place; "_" without the field.
//
// Places hold whole characters (UTF-8 sequences); a letter is an ASCII letter or any
// character beyond ASCII, and only ASCII letters change case.
//
// A text fits the mask when it is no longer than the positions, every literal stands in
// its place, every required place holds a character of its kind and every optional place
// one of its kind or a blank (the blank character or a space; missing places at the end
// are blanks). The committed value is the text with the case switches applied, the blank
// optional places dropped and the literals kept or left out. A mask without positions
// takes any text as it is.
#include <optional>
#include <string>
#include <vector>

namespace remvana {

struct EditMask {
    struct Place {
        // The position character (0 9 # L l A a C c), or 0 for a literal.
        char kind = 0;
        std::string literal; // one whole character
        // '>' upper, '<' lower, 0 as typed.
        char caseShift = 0;
    };
    std::vector<Place> places;
    bool keepLiterals = true;
    std::string blank = "_"; // one whole character
};

EditMask parseEditMask(const std::string& mask);
// What the editor shows for a value: the value's characters laid into the places (over the
// literals when they are kept in values), empty places as the blank. Characters beyond
// the mask are kept at the end, so nothing of the value is hidden.
std::string maskedEditText(const EditMask& mask, const std::string& value);
// The value to commit for the editor's text, or nothing when the text does not fit.
std::optional<std::string> maskedValue(const EditMask& mask, const std::string& text);

} // namespace remvana
