#pragma once
// TAdvToolButton: a real push button (BM_CLICK, BN_CLICKED, focus, keyboard) drawn by the
// window: flat white face with a black border, a blue gradient while the mouse is over an
// enabled button, a blue border while pressed, an embossed caption when disabled.
#include <windows.h>

#include "app/layout.h"
#include "app/win32/window_util.h"
#include "platform/win32/accessible_object.h"

namespace remvana {

inline constexpr const char* kToolButtonClass = "TAdvToolButton";

// A superclass of the system button; whether the mouse is over it lives in the button,
// which its window owns.
class ToolButton : public SelfOwnedWindow<ToolButton> {
  public:
    static HWND create(HWND parent, const layout::ButtonPlacement& placement);
    static WindowClass windowClass() {
        WindowClass spec{kToolButtonClass};
        spec.cursor = nullptr; // the button's own
        spec.superclassOf = "Button";
        return spec;
    }
    // True while the mouse is over the button.
    bool hot() const { return hot_; }
    // Paints the button (it is owner-drawn) for its parent's WM_DRAWITEM.
    void draw(const DRAWITEMSTRUCT& item) const;

  private:
    friend WindowImpl<ToolButton>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onMouseMove();
    void onEnable(bool enabled);
    void setHot(bool hot);

    bool hot_ = false;
    // What screen readers get: a push button named by its caption.
    AccessibleSlot accessible_;
};

HWND createToolButton(HWND parent, const layout::ButtonPlacement& placement);
bool isToolButton(HWND hwnd);

} // namespace remvana
