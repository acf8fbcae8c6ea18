#pragma once
// Reading the markup's tags: which tag a text between "<" and ">" is, and its attribute
// values. Everything here accepts any text and falls back to empty values and zeros.
#include <optional>
#include <string>

// Tag names and keywords are ASCII and fold as such (a locale's folding could change a byte
// of a multi-byte character around them); the tags' users compare them with these helpers.
#include "platform/ascii.h"

namespace remvana {

enum class TagKind {
    Unknown,
    Anchor,
    Bold,
    Break,
    Blink,
    Body,
    Control,
    Error,
    FontTag,
    Highlight,
    Rule,
    Italic,
    Indent,
    Image,
    ListItem,
    Paragraph,
    Rotate,
    Strike,
    Shadow,
    Subscript,
    Superscript,
    Underline,
    List,
    Hidden,
};

struct TagInfo {
    TagKind kind = TagKind::Unknown;
    bool closing = false;
};

// Classifies the text between "<" and ">" (either case): by its first letter and, where
// tags share it, the next one or two. The plain style tags (B, I, S, U) count only when
// nothing follows the letter.
TagInfo classifyTag(const std::string& body);

// The text between the first pair of double quotes after the keyword, the keyword found
// as a whole word ignoring case (so COLOR is never read out of BGCOLOR); empty when the
// keyword or either quote is missing. Searching starts at `from`.
std::string attributeValue(const std::string& tag, const std::string& keyword,
                           std::size_t from = 0);
bool hasAttribute(const std::string& tag, const std::string& keyword, std::size_t from = 0);

// The first double-quoted value anywhere in the tag (an anchor's name).
std::string firstQuotedValue(const std::string& tag);

// A whole decimal integer (optional sign, surrounding spaces allowed) that fits an int;
// nothing for anything else.
std::optional<int> parseInteger(const std::string& text);

} // namespace remvana
