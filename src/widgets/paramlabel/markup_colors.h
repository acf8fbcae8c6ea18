#pragma once
// Colour values of the markup's color, bgcolor and bgcolorto attributes.
#include <string>

#include "platform/canvas.h"

namespace remvana {

// "#RRGGBB": each pair read as upper-case hex digits; a pair cut short (or a digit that is
// not hex) counts as 0.
Color parseHexColor(const std::string& value);

// A colour name ("clRed", "clBtnFace", ...) in any case; system colour names give system
// colours resolved at drawing time; an unknown name gives black.
Color namedColor(const std::string& name);

// The rule of FONT and P: "#..." is hex, anything else a name; an empty value is none.
Color parseTagColor(const std::string& value);

// The rule of BODY: a value containing "#" is hex (read from the "#"), otherwise one
// containing "CL" is a name; anything else is none.
Color parseBodyColor(const std::string& value);

} // namespace remvana
