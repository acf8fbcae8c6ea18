#pragma once
// The clipboard, for text the program hands to other programs.
#include <windows.h>

#include <string>

namespace remvana {

// Replaces what the clipboard holds with `text` (the program's 8-bit text) as Unicode text;
// the system offers it to other programs in the older text formats too. False when the
// clipboard could not be opened or written: it then holds nothing new.
bool copyTextToClipboard(HWND owner, const std::string& text);

} // namespace remvana
