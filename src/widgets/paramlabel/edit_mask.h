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

// What typing does to a masked editor's text, keeping it to a mask with places (a mask
// without any leaves typing to a plain edit). The text holds one character per place (the
// blank in an empty one, the literal in a literal's), plus, after an overlong value, the
// characters beyond the mask; a shorter text is filled up with blanks and literals.
// Positions count whole characters; the selection runs from start to end (empty: a caret).
//
// A character goes into the first place at or after the selection's start that is no
// literal, replacing the selection, when it is of the place's kind (a space or the blank
// character leaves an optional place empty); the caret then steps over the literals that
// follow.
// Typing a literal where literals stand steps over it. Erasing blanks places instead of
// shifting the rest, and takes out characters beyond the mask.
class MaskedTyping {
  public:
    MaskedTyping(const EditMask& mask, const std::string& text, std::size_t start, std::size_t end);

    // One typed character; false, with nothing changed, when no place takes it.
    bool type(const std::string& character);
    // Backspace: blanks the selection, or the place before the caret (over literals).
    void eraseBackward();
    // Delete: blanks the selection, or the place at the caret (over literals), and moves on.
    void eraseForward();
    // Cut and clear: blanks the selection.
    void eraseSelection();
    // Pasted text, character by character from the selection's start: each one that fits
    // the next place goes in, a literal where literals stand steps over them, line breaks are
    // ignored and the others are left out. False when any was left out; when none went in,
    // nothing changes.
    bool paste(const std::string& pasted);

    std::string text() const;
    std::size_t caret() const { return caret_; }

  private:
    bool isLiteral(std::size_t at) const;
    // The first position at or after `at` that is no literal.
    std::size_t editableFrom(std::size_t at) const;
    // The position just after a literal equal to `character` in the run of literals at
    // `at`, or nothing.
    std::optional<std::size_t> steppedOverLiteral(std::size_t at,
                                                  const std::string& character) const;
    // What a place at `at` holds when `character` is put there, or nothing when it does not
    // take it.
    std::optional<std::string> placed(std::size_t at, const std::string& character) const;
    void blank(std::size_t from, std::size_t to);

    EditMask mask_;
    std::vector<std::string> characters_;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
    std::size_t caret_ = 0;
};

} // namespace remvana
