// Display scale glue of the main window: when the window moves to a display of another
// scale it takes the rectangle the system suggests and lays itself out again at the new
// DPI, with its fonts and images made anew for it.
#include <utility>

#include "app/layout.h"
#include "app/scaled_layout.h"
#include "app/win32/form_resources.h"
#include "app/win32/list_view_sink.h"
#include "app/win32/main_form.h"
#include "app/win32/window_util.h"
#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

void T_mainForm::onDpiChanged(const DpiChange& change) {
    using namespace layout;
    dpi_ = change.dpi;
    setLayoutDpi(hwnd(), dpi_);

    // The old fonts and images go at the end, once every control holds the new ones.
    FormResources old = std::move(*resources_);
    resources_->windowFont.reset(createFontOf(scaledFont(kWindowFont, dpi_)));
    resources_->filterFont.reset(createFontOf(scaledFont(kParamLabelFont, dpi_)));
    if (FilterEdit)
        SendMessageA(FilterEdit, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->filterFont.get()),
                     TRUE);

    for (const PlacedButton& placed : placedButtons()) {
        HWND button = this->*placed.button;
        moveChild(button, placedAt(*placed.placement, dpi_));
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(fontAtDpi(kButtonFont, dpi_)),
                     FALSE);
    }
    for (const PlacedLink& placed : placedLinks()) {
        HWND label = this->*placed.label;
        const Point at = placedAt(*placed.placement, dpi_);
        setChildLeft(label, at.x);
        setChildTop(label, at.y);
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(fontAtDpi(kLinkFont, dpi_)),
                     FALSE);
        // Setting its text again fits the label to the text in the new font.
        char text[256] = {};
        GetWindowTextA(label, text, sizeof text);
        SetWindowTextA(label, text);
    }

    // Images at the new size, loaded at that size; the rows' icons are extracted again.
    createImageLists();
    if (ListIcons) ListIcons->useImages(SmallImageList);
    if (ProgramList) ProgramList->setDpi(dpi_);
    if (TParamLabel* label = TParamLabel::fromHandle(ParamLabel)) {
        const CreationLayout at = creationLayout(dpi_);
        ParamLabelLook look = label->look();
        look.Font = scaledFont(kParamLabelFont, dpi_);
        look.LineSpacing = at.paramLabelLineSpacing;
        look.ShadowOffset = at.paramLabelShadowOffset;
        label->setLook(look);
        label->setImages(LabelImageList);
        setChildLeft(ParamLabel, at.paramLabel.left);
        setChildTop(ParamLabel, at.paramLabel.top);
    }

    const RECT& r = change.suggested;
    if (r.right > r.left && r.bottom > r.top)
        SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may not have changed, the figures have: lay everything out again.
    onSize();
    RightAdvPanelResize(RightAdvPanel);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void T_mainForm::placeLinksInPane() {
    const int pane = clientSizeOf(RightAdvPanel).cx;
    for (const PlacedLink& placed : placedLinks()) {
        if (!placed.bottomTop) continue;
        HWND label = this->*placed.label;
        setChildLeft(label, linkLeftWithin(placedAt(*placed.placement, dpi_).x,
                                           childRectOf(label).width(), pane));
    }
}

} // namespace remvana
