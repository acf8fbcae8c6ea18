#include "app/win32/link_label.h"

#include <commctrl.h>

#include <string>

#include "app/scaled_layout.h"
#include "app/win32/gdi_util.h"
#include "app/win32/window_util.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

namespace {

constexpr const char* kBrushProp = "RemvanaLinkBrush";
constexpr unsigned kLinkTextFormat =
    text_format::Left | text_format::SingleLine | text_format::NoPrefix;
WNDPROC staticProc = nullptr;

// The link font at the scale the label is shown at.
Font linkFont(HWND label) {
    return scaledFont(layout::kLinkFont, layoutDpi(label));
}

std::string textOf(HWND label) {
    char text[256] = {};
    GetWindowTextA(label, text, sizeof text);
    return text;
}

// The label is exactly as large as its text: the underline ends with the last letter and
// only the text takes clicks.
void fitToText(HWND label) {
    const std::string text = textOf(label);
    HDC dc = GetDC(label);
    Rect bounds{0, 0, 0, 0};
    {
        GdiCanvas canvas(dc);
        canvas.setFont(linkFont(label));
        canvas.drawText(text, bounds, kLinkTextFormat | text_format::CalcRect);
    }
    ReleaseDC(label, dc);
    setChildSize(label, bounds.width(), bounds.height());
}

LRESULT CALLBACK linkLabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    case WM_SETTEXT: {
        LRESULT result = CallWindowProcA(staticProc, hwnd, msg, wParam, lParam);
        fitToText(hwnd);
        return result;
    }
    case WM_NCDESTROY:
        if (HANDLE brush = RemovePropA(hwnd, kBrushProp)) DeleteObject(brush);
        break;
    }
    return CallWindowProcA(staticProc, hwnd, msg, wParam, lParam);
}

} // namespace

// A superclass of the static control named after its role, so its clicks, text and
// accessibility stay those of a static while the window can tell links from other text.
static constexpr const char* kLinkLabelClass = "TLinkLabel";

void registerLinkLabelClass(HINSTANCE instance) {
    staticProc = registerSuperclass(instance, "Static", kLinkLabelClass, linkLabelProc, IDC_HAND);
}

HWND createLinkLabel(HWND parent, const layout::LinkPlacement& placement, HWND tooltips,
                     HINSTANCE instance) {
    const Point at = placedAt(placement, layoutDpi(parent));
    HWND label = CreateWindowExA(
        0, kLinkLabelClass, placement.caption, WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_OWNERDRAW,
        at.x, at.y, 10, 13, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
        instance, nullptr);
    SendMessageA(label, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fontAtDpi(layout::kLinkFont, layoutDpi(label))), FALSE);
    fitToText(label);
    SetPropA(label, kBrushProp, CreateSolidBrush(toColorRef(placement.background)));

    if (tooltips != nullptr) addControlTooltip(tooltips, label, placement.tooltip);
    return label;
}

bool isLinkLabel(HWND hwnd) {
    return GetPropA(hwnd, kBrushProp) != nullptr;
}

void drawLinkLabel(const DRAWITEMSTRUCT& item) {
    // Drawn by the window in one line, exactly as measured when the label was sized; the
    // static control itself would wrap a text that is a pixel too wide for it.
    auto brush = static_cast<HBRUSH>(GetPropA(item.hwndItem, kBrushProp));
    FillRect(item.hDC, &item.rcItem, brush);
    GdiCanvas canvas(item.hDC);
    canvas.setFont(linkFont(item.hwndItem));
    Rect rect = toRect(item.rcItem);
    canvas.drawText(textOf(item.hwndItem), rect, kLinkTextFormat);
}

} // namespace remvana
