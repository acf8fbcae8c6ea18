#pragma once
// The window's container panels: TAdvPanel (two-half gradient body) and the plain TPanel
// of the list pane. Both pass their children's notifications up to the window.
#include <windows.h>

#include "app/win32/window_util.h"
#include "platform/canvas.h"

namespace remvana {

inline constexpr const char* kAdvPanelClass = "TAdvPanel";
inline constexpr const char* kPlainPanelClass = "TPanel";

class AdvPanel : public SelfOwnedWindow<AdvPanel> {
  public:
    static HWND create(HWND parent, int id, const Rect& at);
    static WindowClass windowClass() { return {kAdvPanelClass}; }

  private:
    friend WindowImpl<AdvPanel>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onPaint();
};

class PlainPanel : public SelfOwnedWindow<PlainPanel> {
  public:
    static HWND create(HWND parent, int id, const Rect& at);
    static WindowClass windowClass() {
        WindowClass spec{kPlainPanelClass};
        spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return spec;
    }

  private:
    friend WindowImpl<PlainPanel>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
};

HWND createAdvPanel(HWND parent, int id, const Rect& at);
HWND createPlainPanel(HWND parent, int id, const Rect& at);

// Paints the panel body of `panel` over `dc`, where dc's origin is at `origin` in the
// panel's client coordinates (lets a child show the part of its parent's body behind it).
void paintPanelBody(HDC dc, HWND panel, POINT origin);

// Called by every container for the messages that concern the window's own controls
// (owner drawing, label colours, notifications); true when handled, result in `result`.
bool handleChildMessage(HWND container, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace remvana
