#pragma once
// TSplitter: the bar between the list pane and the details pane. Dragging shows a hatched
// line; on release the parent window receives kSplitterMovedMessage with the proposed new
// left edge of the bar (in the bar's parent's coordinates) as wParam.
#include <windows.h>

namespace remvana {

inline constexpr const char* kSplitterClass = "TSplitter";
inline constexpr UINT kSplitterMovedMessage = WM_APP + 0x51;

void registerSplitterClass(HINSTANCE instance);
HWND createSplitter(HWND parent, int id, int left, int top, int width, int height,
                    HINSTANCE instance);

} // namespace remvana
