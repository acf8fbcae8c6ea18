#pragma once
// The label's markup as a screen reader reads it: one item per line of text, each a caption
// and a value ("Publisher" and "Kelvane"), with the anchor it holds. The label draws itself,
// so without these a screen reader would find nothing in it.
#include <string>
#include <vector>

#include "widgets/paramlabel/param_tab_order.h"

namespace remvana {

struct AccessibleLine {
    // The text before the first anchor (or before the first colon, on a line without one),
    // without the colon; the whole text on a line that has neither.
    std::string name;
    // The rest of the line's text, the anchor's text included.
    std::string value;
    // The line's first anchor (0-based, counted over the whole markup) and how many anchors
    // it holds; firstAnchor is -1 on a line without one.
    int firstAnchor = -1;
    int anchorCount = 0;
    // The kind of its first anchor; Inert on a line without one.
    AnchorKind kind = AnchorKind::Inert;
    bool operator==(const AccessibleLine&) const = default;
};

// The lines of markup in its render form (HTMLText joined with nothing), as shown: tags
// left out, entities decoded, hidden text skipped, lines without text left out. An anchor
// without a class is a link when the label answers clicks.
std::vector<AccessibleLine> accessibleLines(const std::string& markup, bool clickHandled);

// The index of the line holding that anchor, -1 when none does.
int lineOfAnchor(const std::vector<AccessibleLine>& lines, int anchorIndex);

} // namespace remvana
