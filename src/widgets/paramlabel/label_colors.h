#pragma once
// The colours the label draws in: its own look, or under high contrast the system's.
#include "platform/contrast_colors.h"

namespace remvana {

struct LabelColors {
    Color background = 0;
    Color text = 0;      // the base font's colour
    Color param = 0;     // anchors
    Color hover = 0;     // background of the anchor under the mouse
    Color hoverText = 0; // its text
    bool operator==(const LabelColors&) const = default;
};

// High contrast draws the label as a window: its text in window text, its values and links in
// the hot-light colour, the anchor under the mouse as a selection.
LabelColors labelColors(const LabelColors& own, bool highContrast);

} // namespace remvana
