#pragma once
// The window's container panels: TAdvPanel (two-half gradient body) and the plain TPanel
// of the list pane. Both pass their children's notifications up to the window.
#include <windows.h>

#include "app/win32/window_util.h"
#include "platform/canvas.h"

namespace remvana {

inline constexpr const char* kAdvPanelClass = "TAdvPanel";
inline constexpr const char* kPlainPanelClass = "TPanel";

// Called by every container for the messages that concern the window's own controls
// (owner drawing, label colours, notifications); true when handled, result in `result`.
// A change of the system's colours or settings goes on to the children and repaints the
// container, which still handles the message as it would (false).
bool handleChildMessage(HWND container, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// What both panels are: a child that holds controls, passes their messages up, and goes
// with its window. Derived answers the rest in panelMessage.
template <class Derived> class ContainerPanel : public SelfOwnedWindow<Derived> {
  public:
    static HWND create(HWND parent, int id, const Rect& at) {
        return SelfOwnedWindow<Derived>::createOwned([&](Derived& panel) {
            return panel.createWindow(WS_EX_CONTROLPARENT, "",
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                      at.left, at.top, at.width(), at.height(), parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
        });
    }

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        LRESULT result = 0;
        if (handleChildMessage(this->hwnd(), msg, wParam, lParam, result)) return result;
        return static_cast<Derived*>(this)->panelMessage(msg, wParam, lParam);
    }
};

class AdvPanel : public ContainerPanel<AdvPanel> {
  public:
    static WindowClass windowClass() { return {kAdvPanelClass}; }

  private:
    friend WindowImpl<AdvPanel>;
    friend SelfOwnedWindow<AdvPanel>;
    friend ContainerPanel<AdvPanel>;
    LRESULT panelMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onPaint();
};

class PlainPanel : public ContainerPanel<PlainPanel> {
  public:
    static WindowClass windowClass() {
        WindowClass spec{kPlainPanelClass};
        spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return spec;
    }

  private:
    friend WindowImpl<PlainPanel>;
    friend SelfOwnedWindow<PlainPanel>;
    friend ContainerPanel<PlainPanel>;
    LRESULT panelMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        return defaultMessage(msg, wParam, lParam);
    }
};

HWND createAdvPanel(HWND parent, int id, const Rect& at);
HWND createPlainPanel(HWND parent, int id, const Rect& at);

// Paints the panel body of `panel` over `dc`, where dc's origin is at `origin` in the
// panel's client coordinates (lets a child show the part of its parent's body behind it).
void paintPanelBody(HDC dc, HWND panel, POINT origin);

} // namespace remvana
