#include "app/win32/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "app/layout.h"
#include "app/paint_rules.h"
#include "app/win32/gdi_util.h"
#include "app/win32/window_util.h"
#include "platform/display_scale.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

namespace {

struct StatusBarState {
    std::array<std::string, 2> texts;
};

constexpr std::array<int, 2> kPanelWidths{layout::kStatusPanel0Width, layout::kStatusPanel1Width};

StatusBarState* stateOf(HWND hwnd) {
    return reinterpret_cast<StatusBarState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

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

void paint(HWND hwnd, StatusBarState& state) {
    BufferedPaint paint(hwnd);
    HDC dc = paint.dc();
    const RECT client = paint.client();
    fillBands(dc, statusPanelFace(toRect(client)));
    // Top border line of the bar.
    fillSolid(dc, {client.left, client.top, client.right, client.top + 1},
              toColorRef(layout::kStatusBarBorder));

    const int dpi = layoutDpi(hwnd);
    HGDIOBJ oldFont = SelectObject(dc, fontAtDpi(layout::kStatusBarFont, dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, toColorRef(layout::kStatusTextColor));
    for (int panel = 0; panel < 2; ++panel) {
        RECT cell = panelRect(client, panel, dpi);
        fillBands(dc, statusPanelFace(toRect(cell)));
        // Panels are separated by a thin line in the bar's border colour.
        fillSolid(dc, {cell.right - 1, cell.top + 2, cell.right, cell.bottom - 2},
                  toColorRef(layout::kStatusBarBorder));
        RECT text = cell;
        text.left += scaled(layout::kStatusTextOffset, dpi);
        text.top += scaled(layout::kStatusTextOffset, dpi);
        const std::string& s = state.texts[panel];
        drawProgramText(dc, s, text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SelectObject(dc, oldFont);

    const int grip = gripWidth(client);
    RECT gripRect{client.right - grip, client.top + 1, client.right, client.bottom};
    DrawFrameControl(dc, &gripRect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

LRESULT CALLBACK statusBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    StatusBarState* state = stateOf(hwnd);
    switch (msg) {
    case WM_NCCREATE: {
        auto* created = new StatusBarState;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        break;
    }
    case WM_NCDESTROY:
        if (state) {
            delete state;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    case WM_PAINT:
        if (state) {
            paint(hwnd, *state);
            return 0;
        }
        break;
    case WM_NCHITTEST: {
        // The grip sizes the window it sits in.
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd, &at);
        RECT client{};
        GetClientRect(hwnd, &client);
        if (at.x >= client.right - client.bottom) return HTBOTTOMRIGHT;
        break;
    }
    case WM_NCLBUTTONDOWN:
        if (wParam == HTBOTTOMRIGHT)
            return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
        break;
    case SB_SETTEXTA: {
        const int panel = LOBYTE(LOWORD(wParam));
        if (!state || panel < 0 || panel > 1) return FALSE;
        state->texts[panel] = lParam ? reinterpret_cast<const char*>(lParam) : "";
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case SB_GETTEXTLENGTHA:
    case SB_GETTEXTA: {
        const int panel = static_cast<int>(wParam);
        if (!state || panel < 0 || panel > 1) return 0;
        const std::string& text = state->texts[panel];
        if (msg == SB_GETTEXTA && lParam) lstrcpyA(reinterpret_cast<char*>(lParam), text.c_str());
        return static_cast<LRESULT>(text.size());
    }
    case SB_GETPARTS: {
        if (lParam) {
            auto* rights = reinterpret_cast<int*>(lParam);
            const int count = static_cast<int>(wParam);
            if (count > 0) rights[0] = scaled(kPanelWidths[0], layoutDpi(hwnd));
            if (count > 1) rights[1] = -1; // the last panel extends to the grip
        }
        return 2;
    }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

void registerStatusBarClass(HINSTANCE instance) {
    registerWindowClass(instance, kStatusBarClass, statusBarProc);
}

HWND createStatusBar(HWND parent, int id, HINSTANCE instance) {
    HWND bar =
        CreateWindowExA(0, kStatusBarClass, "", WS_CHILD | WS_VISIBLE, 0,
                        layout::kClientHeight - layout::kStatusBarHeight, layout::kClientWidth,
                        layout::kStatusBarHeight, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
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
