#pragma once
// Link labels: static text sized to its caption, underlined in the active-caption colour
// on an opaque background, hand cursor, a tooltip, and a click that reaches the window as
// STN_CLICKED.
#include <windows.h>

#include "app/layout.h"
#include "app/win32/window_util.h"
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

    ScopedBrush background_;
};

HWND createLinkLabel(HWND parent, const layout::LinkPlacement& placement, HWND tooltips);
bool isLinkLabel(HWND hwnd);

} // namespace remvana
