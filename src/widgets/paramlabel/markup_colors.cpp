#include "widgets/paramlabel/markup_colors.h"

#include <array>
#include <string_view>

#include "widgets/paramlabel/markup_tags.h"

namespace remvana {
namespace {

struct NamedColor {
    std::string_view name;
    Color color;
};

constexpr std::array<NamedColor, 16> kPlainColors{{
    {"clred", rgb(0xFF, 0, 0)},
    {"clblack", rgb(0, 0, 0)},
    {"clblue", rgb(0, 0, 0xFF)},
    {"clgreen", rgb(0, 0x80, 0)},
    {"claqua", rgb(0, 0xFF, 0xFF)},
    {"clyellow", rgb(0xFF, 0xFF, 0)},
    {"clfuchsia", rgb(0xFF, 0, 0xFF)},
    {"clwhite", rgb(0xFF, 0xFF, 0xFF)},
    {"cllime", rgb(0, 0xFF, 0)},
    {"clsilver", rgb(0xC0, 0xC0, 0xC0)},
    {"clgray", rgb(0x80, 0x80, 0x80)},
    {"clolive", rgb(0x80, 0x80, 0)},
    {"clnavy", rgb(0, 0, 0x80)},
    {"clpurple", rgb(0x80, 0, 0x80)},
    {"clteal", rgb(0, 0x80, 0x80)},
    {"clmaroon", rgb(0x80, 0, 0)},
}};

// Position in this table + 1 is the system colour index.
constexpr std::array<std::string_view, 24> kSystemColorNames{
    "clbackground",
    "clactivecaption",
    "clinactivecaption",
    "clmenu",
    "clwindow",
    "clwindowframe",
    "clmenutext",
    "clwindowtext",
    "clcaptiontext",
    "clactiveborder",
    "clinactiveborder",
    "clappworkspace",
    "clhighlight",
    "clhighlighttext",
    "clbtnface",
    "clbtnshadow",
    "clgraytext",
    "clbtntext",
    "clinactivecaptiontext",
    "clbtnhighlight",
    "cl3ddkshadow",
    "cl3dlight",
    "clinfotext",
    "clinfobk",
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

int hexPair(const std::string& value, std::size_t at) {
    if (value.size() < at + 2) return 0;
    return hexDigit(value[at]) * 16 + hexDigit(value[at + 1]);
}

} // namespace

Color parseHexColor(const std::string& value) {
    // Characters 2-3, 4-5 and 6-7 of the value, the first being "#".
    return rgb(hexPair(value, 1), hexPair(value, 3), hexPair(value, 5));
}

Color namedColor(const std::string& name) {
    std::string lower = asciiLowerCased(name);
    for (const NamedColor& entry : kPlainColors)
        if (lower == entry.name) return entry.color;
    for (std::size_t i = 0; i < kSystemColorNames.size(); ++i)
        if (lower == kSystemColorNames[i]) return systemColor(static_cast<int>(i) + 1);
    return rgb(0, 0, 0);
}

Color parseTagColor(const std::string& value) {
    if (value.empty()) return kColorNone;
    if (value[0] == '#') return parseHexColor(asciiUpperCased(value));
    return namedColor(value);
}

Color parseBodyColor(const std::string& value) {
    std::string upper = asciiUpperCased(value);
    std::size_t hash = upper.find('#');
    if (hash != std::string::npos) return parseHexColor(upper.substr(hash));
    if (upper.find("CL") != std::string::npos) return namedColor(value);
    return kColorNone;
}

} // namespace remvana
