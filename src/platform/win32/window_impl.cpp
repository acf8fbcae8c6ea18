#include "platform/win32/window_impl.h"

#include <commctrl.h>

#include <utility>

namespace remvana {

namespace {

WindowErrorGuard& installedGuard() {
    static WindowErrorGuard guard;
    return guard;
}

} // namespace

void setWindowErrorGuard(WindowErrorGuard guard) {
    installedGuard() = std::move(guard);
}

void reportWindowError(std::exception_ptr error) {
    if (!installedGuard()) std::terminate();
    installedGuard()(error);
}

WNDPROC registerWindowClassOnce(const WindowClass& spec, WNDPROC proc) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    WNDPROC base = DefWindowProcA;
    if (spec.superclassOf != nullptr) {
        if (!GetClassInfoExA(nullptr, spec.superclassOf, &wc)) return DefWindowProcA;
        base = wc.lpfnWndProc;
        wc.style &= ~CS_GLOBALCLASS;
    }
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, spec.name, &existing)) return base;
    wc.cbSize = sizeof wc;
    wc.hInstance = instance;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = spec.name;
    wc.style |= spec.style;
    if (spec.cursor != nullptr || spec.superclassOf == nullptr)
        wc.hCursor = LoadCursorA(nullptr, spec.cursor != nullptr ? spec.cursor : IDC_ARROW);
    if (spec.background != nullptr) wc.hbrBackground = spec.background;
    if (spec.icon != nullptr) wc.hIcon = spec.icon;
    if (spec.smallIcon != nullptr) wc.hIconSm = spec.smallIcon;
    RegisterClassExA(&wc);
    return base;
}

bool hasClassName(HWND window, const char* name) {
    char actual[64] = {};
    return GetClassNameA(window, actual, sizeof actual) > 0 && lstrcmpiA(actual, name) == 0;
}

void ControlSubclass::attach(HWND control, Handler handler) {
    detach();
    if (control == nullptr) return;
    handler_ = std::move(handler);
    // Our address is the subclass id too, so two objects on one control keep apart.
    if (SetWindowSubclass(control, &ControlSubclass::subclassProc, reinterpret_cast<UINT_PTR>(this),
                          reinterpret_cast<DWORD_PTR>(this)))
        control_ = control;
}

void ControlSubclass::detach() {
    if (control_ == nullptr) return;
    RemoveWindowSubclass(control_, &ControlSubclass::subclassProc,
                         reinterpret_cast<UINT_PTR>(this));
    control_ = nullptr;
}

LRESULT ControlSubclass::callNext(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(control_, msg, wParam, lParam);
}

LRESULT CALLBACK ControlSubclass::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ControlSubclass*>(data);
    if (self->control_ != hwnd) return DefSubclassProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The control is going: leave the chain first, so nothing calls back into us.
        self->detach();
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    try {
        return self->handler_(msg, wParam, lParam);
    } catch (...) {
        reportWindowError(std::current_exception());
        return 0;
    }
}

} // namespace remvana
