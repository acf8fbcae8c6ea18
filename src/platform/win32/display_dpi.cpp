#include "platform/win32/display_dpi.h"

#include <commctrl.h>

#include <map>
#include <utility>

#include "platform/display_scale.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/system_library.h"

namespace remvana {

namespace {

// The layout DPI is a property of the top-level window, taken off again at the window's last
// message by a subclass entry put on with it, so nothing of it outlives the window.
constexpr const char* kLayoutDpiProp = "RemvanaLayoutDpi";
constexpr UINT_PTR kLayoutDpiEntry = 1;

LRESULT CALLBACK removesLayoutDpi(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR) {
    if (msg == WM_NCDESTROY) {
        RemovePropA(window, kLayoutDpiProp);
        RemoveWindowSubclass(window, &removesLayoutDpi, id);
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

int screenDpi() {
    const ClientDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : kDesignDpi;
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int systemDpi() {
    // Windows 10's: looked up, since older systems do not have it.
    using GetDpiForSystemFn = UINT WINAPI();
    static const auto getDpiForSystem =
        systemFunction<GetDpiForSystemFn>("user32.dll", "GetDpiForSystem");
    const UINT dpi = getDpiForSystem ? getDpiForSystem() : 0;
    return dpi > 0 ? static_cast<int>(dpi) : screenDpi();
}

int windowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT WINAPI(HWND);
    static const auto getDpiForWindow =
        systemFunction<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

void setLayoutDpi(HWND topLevel, int dpi) {
    SetPropA(topLevel, kLayoutDpiProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
    // A second call finds the entry there already and leaves it.
    SetWindowSubclass(topLevel, &removesLayoutDpi, kLayoutDpiEntry, 0);
}

int layoutDpi(HWND hwnd) {
    HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (root == nullptr) root = hwnd;
    const auto recorded =
        reinterpret_cast<INT_PTR>(root ? GetPropA(root, kLayoutDpiProp) : nullptr);
    return recorded > 0 ? static_cast<int>(recorded) : windowDpi(hwnd);
}

HFONT fontAtDpi(const Font& font, int dpi) {
    // Kept until the process ends: a few faces at the scales the window met, no more.
    static std::map<GdiFontKey, ScopedFont> fonts;
    const Font wanted = scaledFont(font, dpi);
    const GdiFontKey key = gdiFontKeyOf(wanted);
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second.get();
    ScopedFont made(createFontOf(wanted));
    if (!made) return nullptr;
    return fonts.emplace(key, std::move(made)).first->second.get();
}

DpiChange dpiChangeOf(WPARAM wParam, LPARAM lParam) {
    DpiChange change;
    // LOWORD is the horizontal DPI; both are the same on every display Windows supports.
    change.dpi = LOWORD(wParam) > 0 ? LOWORD(wParam) : kDesignDpi;
    if (lParam) change.suggested = *reinterpret_cast<const RECT*>(lParam);
    return change;
}

} // namespace remvana
