#include "widgets/paramlabel/edit_mask.h"

#include <cctype>
#include <string_view>

namespace remvana {

namespace {

bool isPlaceKind(char c) {
    return std::string_view("09#LlAaCc").find(c) != std::string_view::npos;
}

bool required(char kind) {
    return kind == '0' || kind == 'L' || kind == 'A' || kind == 'C';
}

bool fitsKind(char kind, char c) {
    auto u = static_cast<unsigned char>(c);
    switch (kind) {
    case '0':
    case '9':
        return std::isdigit(u) != 0;
    case '#':
        return std::isdigit(u) != 0 || c == '+' || c == '-';
    case 'L':
    case 'l':
        return std::isalpha(u) != 0;
    case 'A':
    case 'a':
        return std::isalnum(u) != 0;
    default:
        return true;
    }
}

char shifted(char c, char caseShift) {
    auto u = static_cast<unsigned char>(c);
    if (caseShift == '>') return static_cast<char>(std::toupper(u));
    if (caseShift == '<') return static_cast<char>(std::tolower(u));
    return c;
}

} // namespace

EditMask parseEditMask(const std::string& mask) {
    EditMask result;
    std::size_t fieldsAt = mask.find(';');
    std::string positions = mask.substr(0, fieldsAt);
    if (fieldsAt != std::string::npos) {
        std::string rest = mask.substr(fieldsAt + 1);
        std::size_t blankAt = rest.find(';');
        result.keepLiterals = rest.substr(0, blankAt) != "0";
        if (blankAt != std::string::npos && blankAt + 1 < rest.size())
            result.blank = rest[blankAt + 1];
    }
    char caseShift = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        char c = positions[i];
        if (c == '<' && i + 1 < positions.size() && positions[i + 1] == '>') {
            caseShift = 0;
            ++i;
        } else if (c == '>' || c == '<') {
            caseShift = c;
        } else if (c == '\\' && i + 1 < positions.size()) {
            result.places.push_back({0, positions[++i], 0});
        } else if (isPlaceKind(c)) {
            result.places.push_back({c, 0, caseShift});
        } else {
            result.places.push_back({0, c, 0});
        }
    }
    return result;
}

std::string maskedEditText(const EditMask& mask, const std::string& value) {
    std::string text;
    std::size_t next = 0;
    for (const EditMask::Place& place : mask.places) {
        if (place.kind == 0) {
            text += place.literal;
            if (mask.keepLiterals && next < value.size() && value[next] == place.literal) ++next;
        } else {
            text += next < value.size() ? shifted(value[next++], place.caseShift) : mask.blank;
        }
    }
    if (next < value.size()) text += value.substr(next);
    return text;
}

std::optional<std::string> maskedValue(const EditMask& mask, const std::string& text) {
    if (mask.places.empty()) return text;
    if (text.size() > mask.places.size()) return std::nullopt;
    std::string value;
    for (std::size_t i = 0; i < mask.places.size(); ++i) {
        const EditMask::Place& place = mask.places[i];
        char c = i < text.size() ? text[i] : mask.blank;
        if (place.kind == 0) {
            if (c != place.literal) return std::nullopt;
            if (mask.keepLiterals) value += c;
        } else if (c == mask.blank || c == ' ') {
            if (required(place.kind)) return std::nullopt;
        } else {
            if (!fitsKind(place.kind, c)) return std::nullopt;
            value += shifted(c, place.caseShift);
        }
    }
    return value;
}

} // namespace remvana
