#pragma once
// TSplitter: the bar between the list pane and the details pane. Dragging shows a hatched
// line; on release the parent window receives kSplitterMovedMessage with the proposed new
// left edge of the bar (in the bar's parent's coordinates) as wParam.
#include <windows.h>

#include "app/win32/window_util.h"

namespace remvana {

inline constexpr const char* kSplitterClass = "TSplitter";
inline constexpr UINT kSplitterMovedMessage = WM_APP + 0x51;

// A drag belongs to the bar being dragged, which its window owns.
class SplitterControl : public SelfOwnedWindow<SplitterControl> {
  public:
    static HWND create(HWND parent, int id, int left, int top, int width, int height);
    static WindowClass windowClass() {
        WindowClass spec{kSplitterClass};
        spec.cursor = IDC_SIZEWE;
        return spec;
    }

  private:
    friend WindowImpl<SplitterControl>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onPaint();
    void onButtonDown(LPARAM lParam);
    void onButtonUp(LPARAM lParam);
    void onCaptureChanged(HWND newCapture);
    void moveDragLine(LPARAM lParam);
    void toggleDragLine(int left) const;
    int parentX(LPARAM lParam) const;

    bool dragging_ = false;
    int grabOffset_ = 0; // where in the bar the mouse went down
    int lineLeft_ = 0;   // current hatched line, in the parent's coordinates
};

HWND createSplitter(HWND parent, int id, int left, int top, int width, int height);

} // namespace remvana
