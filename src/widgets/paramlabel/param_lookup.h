#pragma once
// Parameter anchors as the label's lookups see them: found by name in the markup's text
// form (the lines joined with CR LF), read and rewritten without touching anything else.
// Every function takes any text, however malformed, and never reads past its end.
#include <optional>
#include <string>
#include <vector>

namespace remvana {

// One anchor `<a href="NAME" class="CLASS" props="PROPS" hint="HINT">TEXT</a>`, with the
// attribute values as written and the positions of its text in the markup.
struct ParamAnchor {
    std::string href;
    std::string cls;
    std::string props;
    std::string hint;
    // The text after the tag up to the next "<", still escaped; the value of the anchor.
    std::string text;
    std::size_t textBegin = 0;
    std::size_t textEnd = 0;
    // False when no "<" follows the text: the anchor is never closed, so it is not rewritten.
    bool closed = false;
};

// The list's text form: every line followed by CR LF; and back, splitting at CR LF, CR or LF.
std::string joinMarkupLines(const std::vector<std::string>& lines);
std::vector<std::string> splitMarkupLines(const std::string& text);

// "&", "<", ">" and the double quote as entities, "&" first so nothing is escaped twice.
std::string escapeParamValue(const std::string& value);
// The reverse, in one left-to-right sweep so a decoded "&" never starts another entity.
std::string decodeParamEntities(const std::string& text);

// The first anchor whose href equals the name ignoring case.
std::optional<ParamAnchor> findParamAnchor(const std::string& markup, const std::string& href);

// The anchor's text decoded; empty when there is no such anchor.
std::string GetParamValue(const std::string& markup, const std::string& href);
// The markup with the anchor's text replaced by the escaped value; unchanged when there is
// no such anchor or it is never closed.
std::string SetParamValue(const std::string& markup, const std::string& href,
                          const std::string& value);

// Number of "HREF=" keywords in the markup, ignoring case.
int ParamAnchorCount(const std::string& markup);
// The quoted name after the (index+1)-th `href="` keyword, in the case it is written in;
// empty when there are fewer or the quote is never closed.
std::string ParamAnchorHref(const std::string& markup, int index);
// The smallest index whose ParamAnchorHref equals the name ignoring case; -1 when none.
int ParamAnchorIndex(const std::string& markup, const std::string& href);

// The markup with the value attribute of the `<CONTROL>` whose id equals the given one
// (ignoring case) set to the new value; unchanged when there is no such control.
std::string SetControlValue(const std::string& markup, const std::string& id,
                            const std::string& value);

// ASCII case-insensitive equality, as every anchor name comparison of the label uses.
bool paramNamesEqual(const std::string& a, const std::string& b);

} // namespace remvana
