#include "platform/win32/accessible_object.h"

#include <objbase.h>

#include "platform/ansi_text.h"
#include "platform/win32/system_library.h"

namespace remvana {

namespace {

// The standard object's answer, or "no such thing" when there is none to ask.
template <typename Call> HRESULT fromStandard(IAccessible* standard, Call&& call) {
    return standard ? call(standard) : DISP_E_MEMBERNOTFOUND;
}

bool startComOnce() {
    // COM stays started for the rest of the thread's life: the marshalled object must outlive
    // the request, and a client may come back at any time.
    static const bool started = [] {
        static const auto initialize =
            systemFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
        return initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }();
    return started;
}

} // namespace

IAccessible* standardAccessible(HWND hwnd) {
    static const auto create = systemFunction<decltype(CreateStdAccessibleObject)>(
        "oleacc.dll", "CreateStdAccessibleObject");
    if (!create) return nullptr;
    void* object = nullptr;
    if (FAILED(create(hwnd, OBJID_CLIENT, IID_IAccessible, &object))) return nullptr;
    return static_cast<IAccessible*>(object);
}

LRESULT accessibleResult(IAccessible* object, WPARAM wParam) {
    static const auto fromObject =
        systemFunction<decltype(LresultFromObject)>("oleacc.dll", "LresultFromObject");
    if (!fromObject || !object || !startComOnce()) return 0;
    const LRESULT result = fromObject(IID_IAccessible, wParam, object);
    return result > 0 ? result : 0;
}

BSTR programTextBstr(const std::string& text) {
    static const auto allocate =
        systemFunction<decltype(SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
    if (!allocate) return nullptr;
    const std::u16string wide = ansiToUtf16(text);
    return allocate(reinterpret_cast<const OLECHAR*>(wide.c_str()), static_cast<UINT>(wide.size()));
}

void notifyAccessible(DWORD event, HWND hwnd, LONG child) {
    NotifyWinEvent(event, hwnd, OBJID_CLIENT, child);
}

DelegatingAccessible::DelegatingAccessible(HWND hwnd, IAccessible* standard)
    : hwnd_(hwnd), standard_(standard) {}

DelegatingAccessible::~DelegatingAccessible() {
    if (standard_) standard_->Release();
}

void DelegatingAccessible::disconnect() {
    hwnd_ = nullptr;
    if (standard_) standard_->Release();
    standard_ = nullptr;
}

long DelegatingAccessible::childOf(const VARIANT& child) {
    return child.vt == VT_I4 ? child.lVal : -1;
}

HRESULT DelegatingAccessible::answerText(const std::string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = programTextBstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT DelegatingAccessible::answerLong(long value, VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT DelegatingAccessible::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DelegatingAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG DelegatingAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// Clients reach IAccessible directly; automation through IDispatch is not offered.
HRESULT DelegatingAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT DelegatingAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT DelegatingAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT DelegatingAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) {
    return E_NOTIMPL;
}

// Everything below answers from the standard object while the window exists.
#define REMVANA_FORWARD(call)                                                                      \
    if (!connected()) return CO_E_OBJNOTCONNECTED;                                                 \
    return fromStandard(standard_, [&](IAccessible* s) { return s->call; })

HRESULT DelegatingAccessible::get_accParent(IDispatch** parent) {
    REMVANA_FORWARD(get_accParent(parent));
}
HRESULT DelegatingAccessible::get_accChildCount(long* count) {
    REMVANA_FORWARD(get_accChildCount(count));
}
HRESULT DelegatingAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    REMVANA_FORWARD(get_accChild(child, dispatch));
}
HRESULT DelegatingAccessible::get_accName(VARIANT child, BSTR* name) {
    REMVANA_FORWARD(get_accName(child, name));
}
HRESULT DelegatingAccessible::get_accValue(VARIANT child, BSTR* value) {
    REMVANA_FORWARD(get_accValue(child, value));
}
HRESULT DelegatingAccessible::get_accDescription(VARIANT child, BSTR* description) {
    REMVANA_FORWARD(get_accDescription(child, description));
}
HRESULT DelegatingAccessible::get_accRole(VARIANT child, VARIANT* role) {
    REMVANA_FORWARD(get_accRole(child, role));
}
HRESULT DelegatingAccessible::get_accState(VARIANT child, VARIANT* state) {
    REMVANA_FORWARD(get_accState(child, state));
}
HRESULT DelegatingAccessible::get_accHelp(VARIANT child, BSTR* help) {
    REMVANA_FORWARD(get_accHelp(child, help));
}
HRESULT DelegatingAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    REMVANA_FORWARD(get_accHelpTopic(file, child, topic));
}
HRESULT DelegatingAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    REMVANA_FORWARD(get_accKeyboardShortcut(child, shortcut));
}
HRESULT DelegatingAccessible::get_accFocus(VARIANT* child) {
    REMVANA_FORWARD(get_accFocus(child));
}
HRESULT DelegatingAccessible::get_accSelection(VARIANT* children) {
    REMVANA_FORWARD(get_accSelection(children));
}
HRESULT DelegatingAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    REMVANA_FORWARD(get_accDefaultAction(child, action));
}
HRESULT DelegatingAccessible::accSelect(long flags, VARIANT child) {
    REMVANA_FORWARD(accSelect(flags, child));
}
HRESULT DelegatingAccessible::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) {
    REMVANA_FORWARD(accLocation(left, top, width, height, child));
}
HRESULT DelegatingAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    REMVANA_FORWARD(accNavigate(direction, start, end));
}
HRESULT DelegatingAccessible::accHitTest(long left, long top, VARIANT* child) {
    REMVANA_FORWARD(accHitTest(left, top, child));
}
HRESULT DelegatingAccessible::accDoDefaultAction(VARIANT child) {
    REMVANA_FORWARD(accDoDefaultAction(child));
}
HRESULT DelegatingAccessible::put_accName(VARIANT child, BSTR name) {
    REMVANA_FORWARD(put_accName(child, name));
}
HRESULT DelegatingAccessible::put_accValue(VARIANT child, BSTR value) {
    REMVANA_FORWARD(put_accValue(child, value));
}

#undef REMVANA_FORWARD

RoleAccessible* RoleAccessible::create(HWND hwnd, long role) {
    IAccessible* standard = standardAccessible(hwnd);
    if (!standard) return nullptr;
    return new RoleAccessible(hwnd, standard, role);
}

HRESULT RoleAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    if (childOf(child) != CHILDID_SELF) return E_INVALIDARG;
    char text[256] = {};
    GetWindowTextA(hwnd(), text, sizeof text);
    return answerText(text, name);
}

HRESULT RoleAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    if (childOf(child) != CHILDID_SELF) return E_INVALIDARG;
    return answerLong(role_, role);
}

HRESULT RoleAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    if (childOf(child) != CHILDID_SELF) return E_INVALIDARG;
    long flags = 0;
    if (!IsWindowEnabled(hwnd()))
        flags |= STATE_SYSTEM_UNAVAILABLE;
    else
        flags |= STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowVisible(hwnd())) flags |= STATE_SYSTEM_INVISIBLE;
    if (GetFocus() == hwnd()) flags |= STATE_SYSTEM_FOCUSED;
    if (role_ == ROLE_SYSTEM_LINK) flags |= STATE_SYSTEM_LINKED;
    return answerLong(flags, state);
}

HRESULT RoleAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    if (childOf(child) != CHILDID_SELF) return E_INVALIDARG;
    return answerText(role_ == ROLE_SYSTEM_LINK ? "Jump" : "Press", action);
}

HRESULT RoleAccessible::accDoDefaultAction(VARIANT child) {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    if (childOf(child) != CHILDID_SELF) return E_INVALIDARG;
    if (!IsWindowEnabled(hwnd())) return S_FALSE;
    // As a click: a button presses itself, a link tells its parent as the mouse does.
    if (role_ == ROLE_SYSTEM_LINK)
        PostMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), STN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd()));
    else
        PostMessageA(hwnd(), BM_CLICK, 0, 0);
    return S_OK;
}

void AccessibleSlot::release() {
    if (!object_) return;
    object_->disconnect();
    object_->Release();
    object_ = nullptr;
}

} // namespace remvana
