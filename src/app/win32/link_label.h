#pragma once
// Link labels: static text sized to its caption, underlined in the active-caption colour
// on an opaque background, hand cursor, a tooltip, and a click that reaches the window as
// STN_CLICKED. They are Tab stops: Return or Space opens the link as a click does, and
// screen readers find a link named by its text.
#include <windows.h>

#include "app/layout.h"
#include "app/win32/window_util.h"
#include "platform/win32/accessible_object.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

// A superclass of the static control named after its role, so its clicks, text and
// accessibility stay those of a static while the window can tell links from other text.
inline constexpr const char* kLinkLabelClass = "TLinkLabel";

// The label owns the brush of its background; its window owns the label.
class LinkLabel : public SelfOwnedWindow<LinkLabel> {
  public:
    // tooltips: the window's tooltip control, which gets one tool for the label.
    static HWND create(HWND parent, const layout::LinkPlacement& placement, HWND tooltips);
    static WindowClass windowClass() {
        WindowClass spec{kLinkLabelClass};
        spec.cursor = IDC_HAND;
        spec.superclassOf = "Static";
        return spec;
    }
    // Paints the label (it is owner-drawn) for its parent's WM_DRAWITEM: its background
    // colour, then the underlined text.
    void draw(const DRAWITEMSTRUCT& item) const;

  private:
    friend WindowImpl<LinkLabel>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void fitToText();
    // Return and Space: the window hears a click.
    void clicked();

    ScopedBrush background_;
    AccessibleSlot accessible_;
};

HWND createLinkLabel(HWND parent, const layout::LinkPlacement& placement, HWND tooltips);
bool isLinkLabel(HWND hwnd);

} // namespace remvana
