#pragma once
// How the window's own controls look: gradient bands of the panels, the status bar and the
// tool buttons in their states. Drawing code only fills what these return.
#include <vector>

#include "platform/canvas.h"
#include "platform/contrast_colors.h"

namespace remvana {

struct ColorBand {
    Rect rect;
    Color color = 0;
    bool operator==(const ColorBand&) const = default;
};

// A vertical gradient in `steps` bands: the first band has `from`, the last `to`, the
// colours between step evenly. Bands split the height as evenly as integers allow; a rect
// lower than `steps` gets fewer, taller-than-zero bands (empty ones are left out).
std::vector<ColorBand> verticalGradient(const Rect& rect, Color from, Color to, int steps);

// A panel body: two gradients meeting at half the height (the upper half one pixel smaller
// when the height is odd), upper from color to colorTo, lower from mirror to mirrorTo.
std::vector<ColorBand> twoHalfGradient(const Rect& rect, Color color, Color colorTo, Color mirror,
                                       Color mirrorTo, int steps);

// The panels' body (128 steps a half, the panel colours); under high contrast one band in
// the window colour, as the details and the links on it are.
std::vector<ColorBand> panelBody(const Rect& rect, bool highContrast = false);
// A status bar panel face in the light appearance; under high contrast one band in the
// button face colour, as a system status bar is.
std::vector<ColorBand> statusPanelFace(const Rect& rect, bool highContrast = false);

// The status bar's lines (its top edge, between panels) and its text.
struct StatusBarLook {
    Color border = 0;
    Color text = 0;
};
StatusBarLook statusBarLook(bool highContrast);

struct ToolButtonLook {
    Color faceFrom = 0; // top of the face
    Color faceTo = 0;   // bottom of the face (same as faceFrom: a plain face)
    int faceBands = 1;
    Color border = 0;
    bool embossedCaption = false; // disabled: highlight shifted 1,1 then shadow in place
    Color caption = 0;            // unless embossed
};

// Under high contrast the button is a plain system button: button face and text, the
// selection colours while the mouse is over it or it is pressed, grey text when disabled.
ToolButtonLook toolButtonLook(bool enabled, bool hot, bool pressed, bool highContrast = false);
// The face of a button, border excluded (the 1-pixel frame is drawn over it).
std::vector<ColorBand> toolButtonFace(const Rect& rect, const ToolButtonLook& look);

} // namespace remvana
