#pragma once
// High contrast: while the user has it on, the program draws in the system's colours (the
// ones the user picked for windows, text, selection and links) instead of its own blues, so
// that everything it draws itself reads as the rest of the desktop does.
#include "platform/canvas.h"

namespace remvana {

// What a colour is for.
enum class ColorRole {
    Window,        // backgrounds of content: the label, the link labels
    WindowText,    // text on them
    Highlight,     // what the mouse is over
    HighlightText, // text on it
    HotLight,      // links and editable values
    ButtonFace,
    ButtonText, // captions and borders of buttons
    GrayText,   // captions of disabled buttons
};

// `own` while high contrast is off; the system colour of the role (resolved when drawn)
// while it is on.
Color contrastColor(bool highContrast, ColorRole role, Color own);

} // namespace remvana
