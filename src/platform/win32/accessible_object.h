#pragma once
// Accessible objects (IAccessible) for the controls the program draws itself, so screen
// readers can read and drive them. oleacc and oleaut32 are looked up on first use
// (system_library.h): only a screen reader or another accessibility client ever asks, and a
// start of the program nobody reads aloud loads neither.
#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>

namespace remvana {

// The system's standard accessible object of the window's client area, as a new reference;
// null when oleacc cannot be had.
IAccessible* standardAccessible(HWND hwnd);
// The answer of WM_GETOBJECT handing out `object` (COM is started on this thread for it
// first, once, for the rest of the process); 0 when it cannot be handed out, and the
// window's default answer should be given instead.
LRESULT accessibleResult(IAccessible* object, WPARAM wParam);
// A BSTR of program text, for the caller to hand out; null when it cannot be made.
BSTR programTextBstr(const std::string& text);
// Tells accessibility clients about a change of the window's client object (child 0) or of
// one of its children (1-based).
void notifyAccessible(DWORD event, HWND hwnd, LONG child);

// An accessible object that answers everything from the window's standard one; a control
// overrides what the standard object cannot know (its role, name, children). COM reference
// counted: it lives as long as its control or a client holds it, whichever is longer.
class DelegatingAccessible : public IAccessible {
  public:
    DelegatingAccessible(const DelegatingAccessible&) = delete;
    DelegatingAccessible& operator=(const DelegatingAccessible&) = delete;

    // The control's window is going: every later call answers "disconnected".
    void disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  protected:
    // Takes over the reference to `standard` (which may be null: then the object answers
    // only what its overrides do).
    DelegatingAccessible(HWND hwnd, IAccessible* standard);
    virtual ~DelegatingAccessible();

    HWND hwnd() const { return hwnd_; }
    bool connected() const { return hwnd_ != nullptr; }
    // The child a VARIANT names: 0 for the object itself, -1 for anything that is no child id.
    static long childOf(const VARIANT& child);
    static HRESULT answerText(const std::string& text, BSTR* out);
    static HRESULT answerLong(long value, VARIANT* out);

  private:
    LONG references_ = 1;
    HWND hwnd_;
    IAccessible* standard_;
};

// A control with a fixed role whose name is its window text: what the owner-drawn buttons and
// links are to a screen reader (the standard object only knows them as a window).
class RoleAccessible final : public DelegatingAccessible {
  public:
    // A new object with one reference; null when oleacc cannot be had.
    static RoleAccessible* create(HWND hwnd, long role);

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  private:
    RoleAccessible(HWND hwnd, IAccessible* standard, long role)
        : DelegatingAccessible(hwnd, standard), role_(role) {}
    long role_;
};

// What a control keeps for WM_GETOBJECT: its accessible object, made on the first request
// and disconnected when the window goes.
class AccessibleSlot {
  public:
    AccessibleSlot() = default;
    AccessibleSlot(const AccessibleSlot&) = delete;
    AccessibleSlot& operator=(const AccessibleSlot&) = delete;
    ~AccessibleSlot() { release(); }

    // The answer to WM_GETOBJECT (wParam, lParam) for the client object, made by `make` on
    // first use; nothing when the request is for another object or cannot be answered.
    template <typename Make>
    std::optional<LRESULT> answer(WPARAM wParam, LPARAM lParam, Make&& make) {
        if (static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
        if (!object_) object_ = make();
        if (!object_) return std::nullopt;
        const LRESULT result = accessibleResult(object_, wParam);
        if (result == 0) return std::nullopt;
        return result;
    }
    // The same for a control answered by a RoleAccessible.
    std::optional<LRESULT> answerWithRole(HWND hwnd, long role, WPARAM wParam, LPARAM lParam) {
        return answer(wParam, lParam, [&]() -> DelegatingAccessible* {
            return RoleAccessible::create(hwnd, role);
        });
    }
    DelegatingAccessible* get() const { return object_; }
    // Disconnects and lets go of the object; clients that still hold it get "disconnected".
    void release();

  private:
    DelegatingAccessible* object_ = nullptr;
};

} // namespace remvana
