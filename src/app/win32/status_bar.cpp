#include "app/win32/status_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "app/layout.h"
#include "app/paint_rules.h"
#include "app/win32/gdi_util.h"
#include "platform/display_scale.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_cues.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

namespace {

constexpr std::array<int, 2> kPanelWidths{layout::kStatusPanel0Width, layout::kStatusPanel1Width};

int gripWidth(const RECT& client) {
    return client.bottom - client.top - 1;
}

// The last panel reaches to the size grip, so the program count is never cut short.
RECT panelRect(const RECT& client, int panel, int dpi) {
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += scaled(kPanelWidths[i], dpi);
    int right = left + scaled(kPanelWidths[panel], dpi);
    if (panel + 1 == static_cast<int>(kPanelWidths.size()))
        right = std::max(right, static_cast<int>(client.right) - gripWidth(client));
    return {left, client.top + 1, right, client.bottom};
}

} // namespace

HWND StatusBar::create(HWND parent, int id) {
    return createOwned([&](StatusBar& bar) {
        return bar.createWindow(0, "", WS_CHILD | WS_VISIBLE, 0,
                                layout::kClientHeight - layout::kStatusBarHeight,
                                layout::kClientWidth, layout::kStatusBarHeight, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    });
}

LRESULT StatusBar::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    case WM_SYSCOLORCHANGE: // high contrast came or went: the colours follow
    case WM_SETTINGCHANGE:
        InvalidateRect(hwnd(), nullptr, FALSE);
        break;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_NCHITTEST:
        if (const LRESULT hit = onNcHitTest(lParam)) return hit;
        break;
    case WM_NCLBUTTONDOWN:
        // The grip sizes the window it sits in.
        if (wParam == HTBOTTOMRIGHT)
            return SendMessageA(GetAncestor(hwnd(), GA_ROOT), msg, wParam, lParam);
        break;
    case SB_SETTEXTA:
        return onSetText(wParam, lParam);
    case SB_GETTEXTLENGTHA:
    case SB_GETTEXTA:
        return onGetText(msg, wParam, lParam);
    case SB_GETPARTS:
        if (lParam) {
            auto* rights = reinterpret_cast<int*>(lParam);
            const int count = static_cast<int>(wParam);
            if (count > 0) rights[0] = scaled(kPanelWidths[0], layoutDpi(hwnd()));
            if (count > 1) rights[1] = -1; // the last panel extends to the grip
        }
        return 2;
    }
    return defaultMessage(msg, wParam, lParam);
}

void StatusBar::onPaint() {
    BufferedPaint paint(hwnd());
    HDC dc = paint.dc();
    const RECT client = paint.client();
    const bool contrast = highContrastOn();
    const StatusBarLook look = statusBarLook(contrast);
    fillBands(dc, statusPanelFace(toRect(client), contrast));
    // Top border line of the bar.
    fillSolid(dc, {client.left, client.top, client.right, client.top + 1}, toColorRef(look.border));
    {
        const int dpi = layoutDpi(hwnd());
        SelectedObject font(dc, fontAtDpi(layout::kStatusBarFont, dpi));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, toColorRef(look.text));
        for (int panel = 0; panel < 2; ++panel) {
            RECT cell = panelRect(client, panel, dpi);
            fillBands(dc, statusPanelFace(toRect(cell), contrast));
            // Panels are separated by a thin line in the bar's border colour.
            fillSolid(dc, {cell.right - 1, cell.top + 2, cell.right, cell.bottom - 2},
                      toColorRef(look.border));
            RECT text = cell;
            text.left += scaled(layout::kStatusTextOffset, dpi);
            text.top += scaled(layout::kStatusTextOffset, dpi);
            drawProgramText(dc, texts_[panel], text,
                            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    const int grip = gripWidth(client);
    RECT gripRect{client.right - grip, client.top + 1, client.right, client.bottom};
    DrawFrameControl(dc, &gripRect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// HTBOTTOMRIGHT over the grip; 0 (the default test) elsewhere.
LRESULT StatusBar::onNcHitTest(LPARAM lParam) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(hwnd(), &at);
    RECT client{};
    GetClientRect(hwnd(), &client);
    return at.x >= client.right - client.bottom ? HTBOTTOMRIGHT : 0;
}

LRESULT StatusBar::onSetText(WPARAM wParam, LPARAM lParam) {
    const int panel = LOBYTE(LOWORD(wParam));
    if (panel < 0 || panel > 1) return FALSE;
    texts_[panel] = lParam ? reinterpret_cast<const char*>(lParam) : "";
    InvalidateRect(hwnd(), nullptr, FALSE);
    return TRUE;
}

LRESULT StatusBar::onGetText(UINT msg, WPARAM wParam, LPARAM lParam) const {
    const int panel = static_cast<int>(wParam);
    if (panel < 0 || panel > 1) return 0;
    const std::string& text = texts_[panel];
    if (msg == SB_GETTEXTA && lParam) lstrcpyA(reinterpret_cast<char*>(lParam), text.c_str());
    return static_cast<LRESULT>(text.size());
}

HWND createStatusBar(HWND parent, int id) {
    HWND bar = StatusBar::create(parent, id);
    setStatusPanelText(bar, 0, layout::kStatusPanel0Initial);
    return bar;
}

void setStatusPanelText(HWND bar, int panel, const std::string& text) {
    SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

std::string statusPanelText(HWND bar, int panel) {
    const auto length = SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0);
    std::string text(static_cast<std::size_t>(LOWORD(length)), '\0');
    std::string buffer(text.size() + 1, '\0');
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.substr(0, text.size());
}

} // namespace remvana
