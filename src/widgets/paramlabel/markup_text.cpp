#include "widgets/paramlabel/markup_text.h"

#include <array>
#include <string_view>

namespace remvana {
namespace {

struct Entity {
    std::string_view name;
    std::string_view text;
};

// The sign entities as whole UTF-8 characters, the program's text encoding.
constexpr std::array<Entity, 9> kEntities{{
    {"&amp;", "&&"},
    {"&quot;", "\""},
    {"&sect;", "\u00A7"},
    {"&permil;", "\u2030"},
    {"&reg;", "\u00AE"},
    {"&copy;", "\u00A9"},
    {"&para;", "\u00B6"},
    {"&trade;", "\u2122"},
    {"&euro;", "\u20AC"},
}};

constexpr std::array<Entity, 3> kRunEntities{{
    {"&nbsp;", " "},
    {"&lt;", "<"},
    {"&gt;", ">"},
}};

bool startsWithAt(const std::string& text, std::size_t pos, std::string_view what) {
    return text.size() - pos >= what.size() && text.compare(pos, what.size(), what) == 0;
}

// One left-to-right sweep: each entity of the table is replaced once and its replacement is
// never read again. With keepDoubled, "&&" (an escaped ampersand) is passed over whole.
template <std::size_t N>
std::string decodeSweep(const std::string& text, const std::array<Entity, N>& table,
                        bool keepDoubled) {
    if (text.find('&') == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        if (keepDoubled && startsWithAt(text, i, "&&")) {
            out += "&&";
            i += 2;
            continue;
        }
        const Entity* found = nullptr;
        for (const Entity& e : table) {
            if (startsWithAt(text, i, e.name)) {
                found = &e;
                break;
            }
        }
        if (found) {
            out += found->text;
            i += found->name.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

// "<#...>" shows as "#...": the first such construct loses its "<" and the ">" after it.
void unwrapHashConstruct(std::string& text) {
    std::size_t open = text.find("<#");
    if (open == std::string::npos) return;
    text.erase(open, 1);
    std::size_t close = text.find('>', open);
    if (close != std::string::npos) text.erase(close, 1);
}

std::string breakLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\n') continue;
        if (c == '\r')
            out += "<BR>";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string preprocessMarkup(const std::string& markup) {
    std::string text = decodeSweep(markup, kEntities, false);
    unwrapHashConstruct(text);
    return breakLines(text);
}

std::string decodeTextRun(const std::string& run) {
    return decodeSweep(run, kRunEntities, true);
}

} // namespace remvana
