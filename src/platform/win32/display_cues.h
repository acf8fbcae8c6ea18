#pragma once
// What the user asked Windows to show, read at every call (each is one cheap system call):
// the settings can change at any time, and whatever draws next follows them.
#include <windows.h>

namespace remvana {

// High contrast is on: draw in the system colours.
bool highContrastOn();
// The window shows keyboard cues (focus rectangles): after keyboard use, or always when the
// user asked for them; hidden while only the mouse has been used.
bool focusCuesShown(HWND hwnd);

} // namespace remvana
