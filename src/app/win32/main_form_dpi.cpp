// Display scale glue of the main window: when the window moves to a display of another
// scale it takes the rectangle the system suggests and lays itself out again at the new
// DPI, with its fonts and images made anew for it.
#include <utility>

#include "app/layout.h"
#include "app/scaled_layout.h"
#include "app/win32/main_form.h"
#include "app/win32/window_util.h"
#include "inventory/win32/list_view_sink.h"
#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

void T_mainForm::onDpiChanged(const DpiChange& change) {
    using namespace layout;
    dpi_ = change.dpi;
    setLayoutDpi(Handle, dpi_);

    HFONT oldWindowFont = std::exchange(windowFont_, createFontOf(scaledFont(kWindowFont, dpi_)));
    HFONT oldFilterFont =
        std::exchange(filterFont_, createFontOf(scaledFont(kParamLabelFont, dpi_)));
    if (FilterEdit)
        SendMessageA(FilterEdit, WM_SETFONT, reinterpret_cast<WPARAM>(filterFont_), TRUE);
    for (HFONT old : {oldWindowFont, oldFilterFont})
        if (old) DeleteObject(old);

    const std::pair<HWND, const ButtonPlacement*> buttons[] = {
        {RemoveAdvToolButton, &kRemoveButton},
        {ChangeAdvToolButton, &kChangeButton},
        {RepairAdvToolButton, &kRepairButton},
        {DeleteEntryAdvToolButton, &kDeleteEntryButton},
        {UndoAdvToolButton, &kUndoButton},
        {RefreshAdvToolButton, &kRefreshButton},
        {SavetofileAdvToolButton, &kSavetofileButton},
        {ModifyPropertiesAdvToolButton, &kModifyPropertiesButton},
    };
    for (const auto& [button, placement] : buttons) {
        moveChild(button, placedAt(*placement, dpi_));
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(fontAtDpi(kButtonFont, dpi_)),
                     FALSE);
    }
    const std::pair<HWND, const LinkPlacement*> links[] = {
        {StartupLabel, &kStartupLink},
        {SiteLabel, &kSiteLink},
        {SuggestLabel, &kSuggestLink},
        {MailToLabel, &kMailToLink},
    };
    for (const auto& [label, placement] : links) {
        const Point at = placedAt(*placement, dpi_);
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
    HIMAGELIST oldRowImages = std::exchange(SmallImageList, nullptr);
    HIMAGELIST oldLabelImages = std::exchange(LabelImageList, nullptr);
    createImageLists();
    if (RowIcons) RowIcons->useImages(SmallImageList);
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
    for (HIMAGELIST old : {oldRowImages, oldLabelImages})
        if (old) ImageList_Destroy(old);

    const RECT& r = change.suggested;
    if (r.right > r.left && r.bottom > r.top)
        SetWindowPos(Handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may not have changed, the figures have: lay everything out again.
    onSize();
    RightAdvPanelResize(RightAdvPanel);
    RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void T_mainForm::placeLinksInPane() {
    const int pane = clientSizeOf(RightAdvPanel).cx;
    const std::pair<HWND, const layout::LinkPlacement*> links[] = {
        {SiteLabel, &layout::kSiteLink},
        {SuggestLabel, &layout::kSuggestLink},
        {MailToLabel, &layout::kMailToLink},
    };
    for (const auto& [label, placement] : links)
        setChildLeft(
            label, linkLeftWithin(placedAt(*placement, dpi_).x, childRectOf(label).width(), pane));
}

} // namespace remvana
