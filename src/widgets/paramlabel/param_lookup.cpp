#include "widgets/paramlabel/param_lookup.h"

#include <cctype>
#include <string_view>

#include "widgets/paramlabel/markup_tags.h"

namespace remvana {

namespace {

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '-';
}

std::size_t findIgnoreCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || text.size() < needle.size()) return std::string::npos;
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i)
        if (startsWithIgnoringAsciiCase(text.substr(i), needle)) return i;
    return std::string::npos;
}

// One `name="value"` of a tag, positions relative to the whole markup.
struct TagAttribute {
    std::string_view name;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
};

// The attributes of the tag markup[begin, end). Quoted text is skipped as a whole, so a
// keyword inside another attribute's value is never taken for an attribute; a value whose
// closing quote is missing reads as empty.
std::vector<TagAttribute> tagAttributes(std::string_view markup, std::size_t begin,
                                        std::size_t end) {
    std::vector<TagAttribute> attributes;
    std::size_t i = begin;
    while (i < end) {
        if (markup[i] == '"') {
            std::size_t close = markup.find('"', i + 1);
            if (close == std::string::npos || close >= end) break;
            i = close + 1;
            continue;
        }
        if (!isNameChar(markup[i])) {
            ++i;
            continue;
        }
        std::size_t nameBegin = i;
        while (i < end && isNameChar(markup[i]))
            ++i;
        if (i + 1 < end && markup[i] == '=' && markup[i + 1] == '"') {
            std::size_t valueBegin = i + 2;
            std::size_t close = markup.find('"', valueBegin);
            bool closedInTag = close != std::string::npos && close < end;
            std::size_t valueEnd = closedInTag ? close : valueBegin;
            attributes.push_back({markup.substr(nameBegin, i - nameBegin), valueBegin, valueEnd});
            if (!closedInTag) break;
            i = close + 1;
        }
    }
    return attributes;
}

std::string attributeValue(std::string_view markup, const std::vector<TagAttribute>& attributes,
                           std::string_view name) {
    for (const TagAttribute& a : attributes)
        if (equalsIgnoringAsciiCase(a.name, name))
            return std::string(markup.substr(a.valueBegin, a.valueEnd - a.valueBegin));
    return {};
}

// Every `href="` keyword with the position of its value, in text order.
std::vector<std::string> quotedHrefs(const std::string& markup) {
    std::vector<std::string> hrefs;
    std::size_t at = 0;
    while ((at = findIgnoreCase(markup, "href=\"", at)) != std::string::npos) {
        std::size_t valueBegin = at + 6;
        std::size_t close = markup.find('"', valueBegin);
        hrefs.push_back(close == std::string::npos ? std::string()
                                                   : markup.substr(valueBegin, close - valueBegin));
        at = valueBegin;
    }
    return hrefs;
}

struct Entity {
    std::string_view text;
    char decoded;
};
constexpr Entity kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};

} // namespace

bool paramNamesEqual(const std::string& a, const std::string& b) {
    return equalsIgnoringAsciiCase(a, b);
}

std::string joinMarkupLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> splitMarkupLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin =
            end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string escapeParamValue(const std::string& value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string decodeParamEntities(const std::string& text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const Entity& e : kEntities) {
                if (text.compare(i, e.text.size(), e.text) == 0) {
                    decoded += e.decoded;
                    i += e.text.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) decoded += text[i++];
    }
    return decoded;
}

std::optional<ParamAnchor> findParamAnchor(const std::string& markup, const std::string& href) {
    std::size_t at = 0;
    while ((at = findIgnoreCase(markup, "<a", at)) != std::string::npos) {
        std::size_t tagEnd = markup.find('>', at);
        if (tagEnd == std::string::npos) return std::nullopt;
        std::vector<TagAttribute> attributes = tagAttributes(markup, at + 2, tagEnd);
        std::string name = attributeValue(markup, attributes, "href");
        bool hasHref = false;
        for (const TagAttribute& a : attributes)
            hasHref = hasHref || paramNamesEqual(std::string(a.name), "href");
        if (hasHref && paramNamesEqual(name, href)) {
            ParamAnchor anchor;
            anchor.href = name;
            anchor.cls = attributeValue(markup, attributes, "class");
            anchor.props = attributeValue(markup, attributes, "props");
            anchor.hint = attributeValue(markup, attributes, "hint");
            anchor.textBegin = tagEnd + 1;
            std::size_t next = markup.find('<', anchor.textBegin);
            anchor.closed = next != std::string::npos;
            anchor.textEnd = anchor.closed ? next : markup.size();
            anchor.text = markup.substr(anchor.textBegin, anchor.textEnd - anchor.textBegin);
            return anchor;
        }
        at = tagEnd + 1;
    }
    return std::nullopt;
}

std::string GetParamValue(const std::string& markup, const std::string& href) {
    std::optional<ParamAnchor> anchor = findParamAnchor(markup, href);
    return anchor ? decodeParamEntities(anchor->text) : std::string();
}

std::string SetParamValue(const std::string& markup, const std::string& href,
                          const std::string& value) {
    std::optional<ParamAnchor> anchor = findParamAnchor(markup, href);
    if (!anchor || !anchor->closed) return markup;
    // Replaced where the anchor's own text stands: searching for the old text instead could
    // land in another anchor showing the same words.
    return markup.substr(0, anchor->textBegin) + escapeParamValue(value) +
           markup.substr(anchor->textEnd);
}

int ParamAnchorCount(const std::string& markup) {
    int count = 0;
    std::size_t at = 0;
    while ((at = findIgnoreCase(markup, "href=", at)) != std::string::npos) {
        ++count;
        at += 5;
    }
    return count;
}

std::string ParamAnchorHref(const std::string& markup, int index) {
    std::vector<std::string> hrefs = quotedHrefs(markup);
    if (index < 0 || static_cast<std::size_t>(index) >= hrefs.size()) return {};
    return hrefs[static_cast<std::size_t>(index)];
}

int ParamAnchorIndex(const std::string& markup, const std::string& href) {
    std::vector<std::string> hrefs = quotedHrefs(markup);
    for (std::size_t i = 0; i < hrefs.size(); ++i)
        if (paramNamesEqual(hrefs[i], href)) return static_cast<int>(i);
    return -1;
}

std::string SetControlValue(const std::string& markup, const std::string& id,
                            const std::string& value) {
    std::size_t at = 0;
    while ((at = findIgnoreCase(markup, "<control", at)) != std::string::npos) {
        std::size_t tagEnd = markup.find('>', at);
        if (tagEnd == std::string::npos) break;
        std::vector<TagAttribute> attributes = tagAttributes(markup, at + 8, tagEnd);
        if (paramNamesEqual(attributeValue(markup, attributes, "id"), id)) {
            for (const TagAttribute& a : attributes)
                if (paramNamesEqual(std::string(a.name), "value"))
                    return markup.substr(0, a.valueBegin) + value + markup.substr(a.valueEnd);
            return markup.substr(0, tagEnd) + " value=\"" + value + "\"" + markup.substr(tagEnd);
        }
        at = tagEnd + 1;
    }
    return markup;
}

} // namespace remvana
