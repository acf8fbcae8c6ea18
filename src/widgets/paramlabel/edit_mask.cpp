#include "widgets/paramlabel/edit_mask.h"

#include <algorithm>
#include <string_view>

#include "platform/ascii.h"
#include "platform/utf8.h"

namespace remvana {

namespace {

bool isPlaceKind(char c) {
    return std::string_view("09#LlAaCc").find(c) != std::string_view::npos;
}

bool required(char kind) {
    return kind == '0' || kind == 'L' || kind == 'A' || kind == 'C';
}

// The text's characters, each whole (a UTF-8 sequence), so a place never holds part of one.
std::vector<std::string> charactersOf(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = decodeUtf8(text, at).length;
        characters.push_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

bool isDigit(const std::string& c) {
    return c.size() == 1 && c[0] >= '0' && c[0] <= '9';
}

// Letters of every script count: an ASCII letter, or any character beyond ASCII (the mask
// has no table of which of those are letters, and refusing "é" would be worse).
bool isLetter(const std::string& c) {
    if (c.size() > 1) return true;
    const char upper = asciiUpper(c[0]);
    return upper >= 'A' && upper <= 'Z';
}

bool fitsKind(char kind, const std::string& c) {
    switch (kind) {
    case '0':
    case '9':
        return isDigit(c);
    case '#':
        return isDigit(c) || c == "+" || c == "-";
    case 'L':
    case 'l':
        return isLetter(c);
    case 'A':
    case 'a':
        return isDigit(c) || isLetter(c);
    default:
        return true;
    }
}

// Only ASCII letters change case.
std::string shifted(std::string c, char caseShift) {
    if (c.size() != 1) return c;
    if (caseShift == '>') c[0] = asciiUpper(c[0]);
    if (caseShift == '<') c[0] = asciiLower(c[0]);
    return c;
}

} // namespace

EditMask parseEditMask(const std::string& mask) {
    EditMask result;
    std::size_t fieldsAt = mask.find(';');
    const std::vector<std::string> positions = charactersOf(mask.substr(0, fieldsAt));
    if (fieldsAt != std::string::npos) {
        std::string rest = mask.substr(fieldsAt + 1);
        std::size_t blankAt = rest.find(';');
        result.keepLiterals = rest.substr(0, blankAt) != "0";
        if (blankAt != std::string::npos && blankAt + 1 < rest.size())
            result.blank = charactersOf(rest.substr(blankAt + 1)).front();
    }
    char caseShift = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const std::string& c = positions[i];
        if (c == "<" && i + 1 < positions.size() && positions[i + 1] == ">") {
            caseShift = 0;
            ++i;
        } else if (c == ">" || c == "<") {
            caseShift = c[0];
        } else if (c == "\\" && i + 1 < positions.size()) {
            result.places.push_back({0, positions[++i], 0});
        } else if (c.size() == 1 && isPlaceKind(c[0])) {
            result.places.push_back({c[0], {}, caseShift});
        } else {
            result.places.push_back({0, c, 0});
        }
    }
    return result;
}

std::string maskedEditText(const EditMask& mask, const std::string& value) {
    const std::vector<std::string> characters = charactersOf(value);
    std::string text;
    std::size_t next = 0;
    for (const EditMask::Place& place : mask.places) {
        if (place.kind == 0) {
            text += place.literal;
            if (mask.keepLiterals && next < characters.size() && characters[next] == place.literal)
                ++next;
        } else {
            text += next < characters.size() ? shifted(characters[next++], place.caseShift)
                                             : mask.blank;
        }
    }
    for (; next < characters.size(); ++next)
        text += characters[next];
    return text;
}

std::optional<std::string> maskedValue(const EditMask& mask, const std::string& text) {
    if (mask.places.empty()) return text;
    const std::vector<std::string> characters = charactersOf(text);
    if (characters.size() > mask.places.size()) return std::nullopt;
    std::string value;
    for (std::size_t i = 0; i < mask.places.size(); ++i) {
        const EditMask::Place& place = mask.places[i];
        const std::string& c = i < characters.size() ? characters[i] : mask.blank;
        if (place.kind == 0) {
            if (c != place.literal) return std::nullopt;
            if (mask.keepLiterals) value += c;
        } else if (c == mask.blank || c == " ") {
            if (required(place.kind)) return std::nullopt;
        } else {
            if (!fitsKind(place.kind, c)) return std::nullopt;
            value += shifted(c, place.caseShift);
        }
    }
    return value;
}

// ---- Typing ----

namespace {

// Control characters never go into a place (a pasted tab, a stray escape).
bool isControl(const std::string& c) {
    return c.size() == 1 && (static_cast<unsigned char>(c[0]) < 0x20 || c[0] == 0x7F);
}

} // namespace

MaskedTyping::MaskedTyping(const EditMask& mask, const std::string& text, std::size_t start,
                           std::size_t end)
    : mask_(mask), characters_(charactersOf(text)) {
    for (std::size_t i = characters_.size(); i < mask_.places.size(); ++i)
        characters_.push_back(isLiteral(i) ? mask_.places[i].literal : mask_.blank);
    start_ = std::min(std::min(start, end), characters_.size());
    end_ = std::min(std::max(start, end), characters_.size());
    caret_ = end_;
}

bool MaskedTyping::isLiteral(std::size_t at) const {
    return at < mask_.places.size() && mask_.places[at].kind == 0;
}

std::size_t MaskedTyping::editableFrom(std::size_t at) const {
    while (isLiteral(at))
        ++at;
    return at;
}

std::optional<std::size_t> MaskedTyping::steppedOverLiteral(std::size_t at,
                                                            const std::string& character) const {
    for (; isLiteral(at); ++at)
        if (mask_.places[at].literal == character) return at + 1;
    return std::nullopt;
}

std::optional<std::string> MaskedTyping::placed(std::size_t at,
                                                const std::string& character) const {
    if (at >= mask_.places.size() || isControl(character)) return std::nullopt;
    const EditMask::Place& place = mask_.places[at];
    // A blank is what an optional place may hold; a required one is emptied by erasing.
    if (character == " " || character == mask_.blank)
        return required(place.kind) ? std::nullopt : std::optional<std::string>(mask_.blank);
    if (!fitsKind(place.kind, character)) return std::nullopt;
    return shifted(character, place.caseShift);
}

void MaskedTyping::blank(std::size_t from, std::size_t to) {
    const std::size_t places = mask_.places.size();
    for (std::size_t i = from; i < std::min(to, places); ++i)
        if (!isLiteral(i)) characters_[i] = mask_.blank;
    // Beyond the mask there are no places to keep: those characters go.
    const std::size_t first = std::max(from, places);
    if (to > first)
        characters_.erase(characters_.begin() + static_cast<std::ptrdiff_t>(first),
                          characters_.begin() + static_cast<std::ptrdiff_t>(to));
}

bool MaskedTyping::type(const std::string& character) {
    std::optional<std::size_t> next = steppedOverLiteral(start_, character);
    std::optional<std::string> put;
    const std::size_t at = editableFrom(start_);
    if (!next) {
        put = placed(at, character);
        if (!put) return false;
        next = at + 1;
    }
    // Blanking only takes out characters beyond the mask, so `at` still names its place.
    blank(start_, end_);
    if (put) characters_[at] = *put;
    caret_ = start_ = end_ = editableFrom(*next);
    return true;
}

void MaskedTyping::eraseSelection() {
    blank(start_, end_);
    caret_ = end_ = start_;
}

void MaskedTyping::eraseBackward() {
    if (start_ != end_) return eraseSelection();
    std::size_t at = start_;
    while (at > 0 && isLiteral(at - 1))
        --at;
    if (at > 0) {
        --at;
        blank(at, at + 1);
    }
    caret_ = start_ = end_ = at;
}

void MaskedTyping::eraseForward() {
    if (start_ != end_) return eraseSelection();
    const std::size_t at = editableFrom(start_);
    if (at >= characters_.size()) return;
    blank(at, at + 1);
    // Beyond the mask the rest closed up over the erased character; a place is passed.
    caret_ = start_ = end_ = at < mask_.places.size() ? at + 1 : at;
}

bool MaskedTyping::paste(const std::string& pasted) {
    const std::vector<std::string> before = characters_;
    blank(start_, end_);
    std::size_t at = start_;
    bool tookAny = false;
    bool leftOut = false;
    for (const std::string& c : charactersOf(pasted)) {
        if (c == "\r" || c == "\n") continue;
        if (std::optional<std::size_t> after = steppedOverLiteral(at, c)) {
            at = *after;
            tookAny = true;
            continue;
        }
        const std::size_t place = editableFrom(at);
        if (std::optional<std::string> put = placed(place, c)) {
            characters_[place] = *put;
            at = place + 1;
            tookAny = true;
        } else {
            leftOut = true;
        }
    }
    if (!tookAny) {
        characters_ = before;
        return !leftOut;
    }
    caret_ = start_ = end_ = editableFrom(at);
    return !leftOut;
}

std::string MaskedTyping::text() const {
    std::string text;
    for (const std::string& c : characters_)
        text += c;
    return text;
}

} // namespace remvana
