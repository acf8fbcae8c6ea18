#include "widgets/paramlabel/markup_tags.h"

#include <cctype>
#include <climits>

namespace remvana {
namespace {

bool isWordChar(char c) {
    return (c >= '0' && c <= '9') || (asciiUpper(c) >= 'A' && asciiUpper(c) <= 'Z');
}

TagKind classifyOpening(const std::string& name) {
    auto at = [&](std::size_t i) { return i < name.size() ? name[i] : '\0'; };
    switch (at(0)) {
    case 'A':
        return TagKind::Anchor;
    case 'B':
        if (name.size() == 1) return TagKind::Bold;
        if (at(1) == 'R') return TagKind::Break;
        if (at(1) == 'L') return TagKind::Blink;
        if (at(1) == 'O') return TagKind::Body;
        return TagKind::Unknown;
    case 'C':
        return TagKind::Control;
    case 'E':
        return TagKind::Error;
    case 'F':
        return TagKind::FontTag;
    case 'H':
        if (at(1) == 'I') return TagKind::Highlight;
        if (at(1) == 'R') return TagKind::Rule;
        return TagKind::Unknown;
    case 'I':
        if (name.size() == 1) return TagKind::Italic;
        if (at(1) == 'N') return TagKind::Indent;
        if (at(1) == 'M') return TagKind::Image;
        return TagKind::Unknown;
    case 'L':
        return at(1) == 'I' ? TagKind::ListItem : TagKind::Unknown;
    case 'P':
        return TagKind::Paragraph;
    case 'R':
        return TagKind::Rotate;
    case 'S':
        if (name.size() == 1) return TagKind::Strike;
        if (at(1) == 'H') return TagKind::Shadow;
        if (name.compare(0, 3, "SUB") == 0) return TagKind::Subscript;
        if (name.compare(0, 3, "SUP") == 0) return TagKind::Superscript;
        return TagKind::Unknown;
    case 'U':
        if (name.size() == 1) return TagKind::Underline;
        if (at(1) == 'L') return TagKind::List;
        return TagKind::Unknown;
    case 'Z':
        return TagKind::Hidden;
    default:
        return TagKind::Unknown;
    }
}

// Closing tags match more loosely: "</B>" is bold, any other "</B...>" ends blinking;
// "</SU...>" ends both sub- and superscript.
TagKind classifyClosing(const std::string& name) {
    auto at = [&](std::size_t i) { return i < name.size() ? name[i] : '\0'; };
    switch (at(0)) {
    case 'A':
        return TagKind::Anchor;
    case 'B':
        return name.size() == 1 ? TagKind::Bold : TagKind::Blink;
    case 'E':
        return TagKind::Error;
    case 'F':
        return TagKind::FontTag;
    case 'H':
        return TagKind::Highlight;
    case 'I':
        return TagKind::Italic;
    case 'P':
        return TagKind::Paragraph;
    case 'R':
        return TagKind::Rotate;
    case 'S':
        if (at(1) == 'U') return TagKind::Subscript;
        if (at(1) == 'H') return TagKind::Shadow;
        return TagKind::Strike;
    case 'U':
        if (name.size() == 1) return TagKind::Underline;
        return at(1) == 'L' ? TagKind::List : TagKind::Unknown;
    case 'Z':
        return TagKind::Hidden;
    default:
        return TagKind::Unknown;
    }
}

std::size_t findWord(const std::string& upperTag, const std::string& upperWord, std::size_t from) {
    if (upperWord.empty()) return std::string::npos;
    for (std::size_t pos = upperTag.find(upperWord, from); pos != std::string::npos;
         pos = upperTag.find(upperWord, pos + 1)) {
        bool startsWord = pos == 0 || !isWordChar(upperTag[pos - 1]);
        std::size_t end = pos + upperWord.size();
        bool endsWord = end >= upperTag.size() || !isWordChar(upperTag[end]);
        if (startsWord && endsWord) return pos;
    }
    return std::string::npos;
}

std::string quotedAfter(const std::string& tag, std::size_t pos) {
    std::size_t open = tag.find('"', pos);
    if (open == std::string::npos) return {};
    std::size_t close = tag.find('"', open + 1);
    if (close == std::string::npos) return {};
    return tag.substr(open + 1, close - open - 1);
}

} // namespace

TagInfo classifyTag(const std::string& body) {
    std::string name = asciiUpperCased(body);
    TagInfo info;
    if (!name.empty() && name[0] == '/') {
        info.closing = true;
        info.kind = classifyClosing(name.substr(1));
    } else {
        info.kind = classifyOpening(name);
    }
    return info;
}

std::string attributeValue(const std::string& tag, const std::string& keyword, std::size_t from) {
    std::size_t pos = findWord(asciiUpperCased(tag), asciiUpperCased(keyword), from);
    if (pos == std::string::npos) return {};
    return quotedAfter(tag, pos + keyword.size());
}

bool hasAttribute(const std::string& tag, const std::string& keyword, std::size_t from) {
    return findWord(asciiUpperCased(tag), asciiUpperCased(keyword), from) != std::string::npos;
}

std::string firstQuotedValue(const std::string& tag) {
    return quotedAfter(tag, 0);
}

std::optional<int> parseInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::size_t digitsFrom = i;
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) return std::nullopt;
        ++i;
    }
    if (i == digitsFrom) return std::nullopt;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i != text.size()) return std::nullopt;
    return static_cast<int>(negative ? -value : value);
}

} // namespace remvana
