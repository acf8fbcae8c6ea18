#pragma once
// Link labels: static text sized to its caption, underlined in the active-caption colour
// on an opaque background, hand cursor, a tooltip, and a click that reaches the window as
// STN_CLICKED.
#include <windows.h>

#include "app/layout.h"

namespace remvana {

void registerLinkLabelClass(HINSTANCE instance);
// tooltips: the window's tooltip control, which gets one tool for the label.
HWND createLinkLabel(HWND parent, const layout::LinkPlacement& placement, HWND tooltips,
                     HINSTANCE instance);
bool isLinkLabel(HWND hwnd);
// Paints the label (it is owner-drawn): its background colour, then the underlined text.
void drawLinkLabel(const DRAWITEMSTRUCT& item);

} // namespace remvana
