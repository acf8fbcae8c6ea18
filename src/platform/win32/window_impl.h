#pragma once
// The one way this program is a window. A class derives from WindowImpl<Self>, names its
// window class in `static WindowClass windowClass()`, and answers messages in
// `LRESULT handleMessage(UINT, WPARAM, LPARAM)` (befriend WindowImpl<Self> if private), a switch
// that calls named handler methods and ends in defaultMessage. The base stores the object at
// WM_NCCREATE, clears it after WM_NCDESTROY, and runs every handler inside the error guard the
// application installs, so an exception never unwinds through the system's code.
//
// An existing control (a system list view, an editor's edit box) is not one of our classes;
// its messages reach an object through a ControlSubclass instead.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>

namespace remvana {

// What a handler's escaped exception is handed to. The application installs its error box
// once at start; until then an escaped exception ends the process (it must not be lost, and
// unwinding through the system's window procedure is undefined).
using WindowErrorGuard = std::function<void(std::exception_ptr)>;
void setWindowErrorGuard(WindowErrorGuard guard);
void reportWindowError(std::exception_ptr error);

// A window class of this module. With `superclassOf` set the class is a superclass of that
// system class: what the handler leaves goes to the system class's own procedure.
struct WindowClass {
    const char* name = nullptr;
    UINT style = 0;
    LPCSTR cursor = IDC_ARROW;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    const char* superclassOf = nullptr;
};

// Registers `spec` with `proc` unless this module already has it; returns the procedure
// unhandled messages go to (DefWindowProcA, or the superclassed class's procedure).
WNDPROC registerWindowClassOnce(const WindowClass& spec, WNDPROC proc);
bool hasClassName(HWND window, const char* name);

// Whether WM_GETDLGCODE's lParam (the message the window's dialog keys are asked about, or
// null) is the press of that key: a control asks for its own keys this way.
inline bool asksAboutKeyDown(LPARAM dialogCodeMessage, WPARAM key) {
    const auto* message = reinterpret_cast<const MSG*>(dialogCodeMessage);
    return message != nullptr && message->message == WM_KEYDOWN && message->wParam == key;
}

template <class Derived> class WindowImpl {
  public:
    HWND hwnd() const { return hwnd_; }

    // The object behind one of this class's windows (nullptr for any other window).
    static Derived* fromHandle(HWND window) {
        // By class name: tooltips and other subclassers replace the window procedure.
        if (window == nullptr || !hasClassName(window, Derived::windowClass().name)) return nullptr;
        return reinterpret_cast<Derived*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }

  protected:
    WindowImpl() = default;
    // The owner destroys the window before the object goes (or the window owns the object
    // and deletes it in onFinalMessage).
    ~WindowImpl() = default;
    WindowImpl(const WindowImpl&) = delete;
    WindowImpl& operator=(const WindowImpl&) = delete;

    // Creates a window of Derived's class (registered on first use) with this object behind
    // it; `menuOrId` is a child's control id.
    HWND createWindow(DWORD exStyle, const char* text, DWORD style, int x, int y, int width,
                      int height, HWND parent, HMENU menuOrId = nullptr) {
        defaultProc() = registerWindowClassOnce(Derived::windowClass(), &WindowImpl::windowProc);
        return CreateWindowExA(exStyle, Derived::windowClass().name, text, style, x, y, width,
                               height, parent, menuOrId, GetModuleHandleA(nullptr),
                               static_cast<Derived*>(this));
    }

    // Destroys the object's window, when it still has one: a window the system destroyed with
    // its parent or owner has cleared the handle already.
    void destroyWindow() {
        if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    }

    // What the class does with a message its handler leaves.
    LRESULT defaultMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcA(defaultProc(), hwnd_, msg, wParam, lParam);
    }

    // After the last message, with the handle already cleared: an object its window owns
    // deletes itself here.
    void onFinalMessage() {}

  private:
    static WNDPROC& defaultProc() {
        static WNDPROC proc = DefWindowProcA;
        return proc;
    }

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            // A window of the class made without createWindow has no object: it stays plain.
            if (auto* self = static_cast<Derived*>(
                    reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)) {
                static_cast<WindowImpl*>(self)->hwnd_ = hwnd;
                SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self == nullptr) return CallWindowProcA(defaultProc(), hwnd, msg, wParam, lParam);
        LRESULT result = 0;
        try {
            result = self->handleMessage(msg, wParam, lParam);
        } catch (...) {
            reportWindowError(std::current_exception());
        }
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            static_cast<WindowImpl*>(self)->hwnd_ = nullptr;
            self->onFinalMessage();
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

// A window that owns the object behind it, as the controls of a window do: the object is made
// by createOwned and deletes itself after the window's last message.
template <class Derived> class SelfOwnedWindow : public WindowImpl<Derived> {
  protected:
    // Runs `create` (which calls createWindow) on a new object; when no window came about
    // the object goes at once and nullptr is returned.
    template <class Create> static HWND createOwned(Create&& create) {
        std::unique_ptr<Derived> self(new Derived);
        HWND hwnd = create(*self);
        if (hwnd == nullptr) return nullptr; // a window destroyed in its creation left it to us
        static_cast<SelfOwnedWindow&>(*self).owned_ = true;
        self.release();
        return hwnd;
    }

  public:
    void onFinalMessage() {
        if (owned_) delete static_cast<Derived*>(this);
    }

  private:
    bool owned_ = false;
};

// Routes an existing control's messages through `handler` (the common controls' subclass
// chain, so controls that subclass themselves keep working), inside the same error guard.
// The handler passes on what it leaves with callNext. Detaches when it goes or the control
// is destroyed; not movable, since the chain holds its address.
class ControlSubclass {
  public:
    using Handler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

    ControlSubclass() = default;
    ~ControlSubclass() { detach(); }
    ControlSubclass(const ControlSubclass&) = delete;
    ControlSubclass& operator=(const ControlSubclass&) = delete;

    void attach(HWND control, Handler handler);
    void detach();
    HWND control() const { return control_; }
    LRESULT callNext(UINT msg, WPARAM wParam, LPARAM lParam) const;

  private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    HWND control_ = nullptr;
    Handler handler_;
};

} // namespace remvana
