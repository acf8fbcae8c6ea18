#pragma once
// TAdvToolButton: a real push button (BM_CLICK, BN_CLICKED, focus, keyboard) drawn by the
// window: flat white face with a black border, a blue gradient while the mouse is over an
// enabled button, a blue border while pressed, an embossed caption when disabled.
#include <windows.h>

#include "app/layout.h"

namespace remvana {

inline constexpr const char* kToolButtonClass = "TAdvToolButton";

void registerToolButtonClass(HINSTANCE instance);
HWND createToolButton(HWND parent, const layout::ButtonPlacement& placement, HINSTANCE instance);
bool isToolButton(HWND hwnd);
// True while the mouse is over the button.
bool toolButtonHot(HWND hwnd);
void drawToolButton(const DRAWITEMSTRUCT& item);

} // namespace remvana
