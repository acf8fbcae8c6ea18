#include "app/win32/link_label.h"

#include <commctrl.h>

#include <string>

#include "app/scaled_layout.h"
#include "app/win32/gdi_util.h"
#include "platform/contrast_colors.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_cues.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

namespace {

constexpr unsigned kLinkTextFormat =
    text_format::Left | text_format::SingleLine | text_format::NoPrefix;

// The link font at the scale the label is shown at.
Font linkFont(HWND label) {
    return scaledFont(layout::kLinkFont, layoutDpi(label));
}

std::string textOf(HWND label) {
    char text[256] = {};
    GetWindowTextA(label, text, sizeof text);
    return text;
}

} // namespace

HWND LinkLabel::create(HWND parent, const layout::LinkPlacement& placement, HWND tooltips) {
    const Point at = placedAt(placement, layoutDpi(parent));
    HWND label = createOwned([&](LinkLabel& self) {
        self.background_.reset(CreateSolidBrush(toColorRef(placement.background)));
        return self.createWindow(0, placement.caption,
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_NOTIFY | SS_OWNERDRAW,
                                 at.x, at.y, 10, 13, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)));
    });
    if (label == nullptr) return nullptr;
    SendMessageA(label, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fontAtDpi(layout::kLinkFont, layoutDpi(label))), FALSE);
    fromHandle(label)->fitToText();
    if (tooltips != nullptr) addControlTooltip(tooltips, label, placement.tooltip);
    return label;
}

LRESULT LinkLabel::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    case WM_SETTEXT: {
        const LRESULT result = defaultMessage(msg, wParam, lParam);
        fitToText();
        return result;
    }
    case WM_GETDLGCODE:
        // Return opens the focused link instead of going to the window.
        if (asksAboutKeyDown(lParam, VK_RETURN))
            return defaultMessage(msg, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            clicked();
            return 0;
        }
        break;
    }
    // The static control knows nothing of the focus rectangle the label draws.
    return answerOwnerDrawn(hwnd(), accessible_, {ROLE_SYSTEM_LINK, true}, msg, wParam, lParam,
                            [this](UINT m, WPARAM w, LPARAM l) { return defaultMessage(m, w, l); });
}

void LinkLabel::clicked() {
    SendMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), STN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd()));
}

// The label is exactly as large as its text: the underline ends with the last letter and
// only the text takes clicks.
void LinkLabel::fitToText() {
    const std::string text = textOf(hwnd());
    Rect bounds{0, 0, 0, 0};
    {
        ClientDc dc(hwnd());
        GdiCanvas canvas(dc.get());
        canvas.setFont(linkFont(hwnd()));
        canvas.drawText(text, bounds, kLinkTextFormat | text_format::CalcRect);
    }
    setChildSize(hwnd(), bounds.width(), bounds.height());
}

void LinkLabel::draw(const DRAWITEMSTRUCT& item) const {
    // Drawn by the window in one line, exactly as measured when the label was sized; the
    // static control itself would wrap a text that is a pixel too wide for it.
    GdiCanvas canvas(item.hDC);
    Font font = linkFont(item.hwndItem);
    Rect rect = toRect(item.rcItem);
    if (highContrastOn()) {
        canvas.fillRect(rect, contrastColor(true, ColorRole::Window, 0));
        font.color = contrastColor(true, ColorRole::HotLight, font.color);
    } else {
        FillRect(item.hDC, &item.rcItem, background_.get());
    }
    canvas.setFont(font);
    canvas.drawText(textOf(item.hwndItem), rect, kLinkTextFormat);
    // The text fills the label, so the focus rectangle goes round its edge.
    if (GetFocus() == item.hwndItem && focusCuesShown(item.hwndItem))
        canvas.focusRect(toRect(item.rcItem));
}

HWND createLinkLabel(HWND parent, const layout::LinkPlacement& placement, HWND tooltips) {
    return LinkLabel::create(parent, placement, tooltips);
}

bool isLinkLabel(HWND hwnd) {
    return LinkLabel::fromHandle(hwnd) != nullptr;
}

} // namespace remvana
