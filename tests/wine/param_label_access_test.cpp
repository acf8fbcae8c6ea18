// The label, the tool buttons and the links without a mouse: Tab through the window's own
// dialog navigation, Return on a focused value or link, and what a screen reader reads
// through oleacc.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layout.h"
#include "platform/ansi_text.h"
#include "platform/win32/system_library.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_edit.h"
#include "window_fixture.h"

namespace remvana {
namespace {

// The object a screen reader gets for the window's client area (null when none).
IAccessible* accessibleOf(HWND hwnd) {
    static const auto fromWindow = systemFunction<decltype(AccessibleObjectFromWindow)>(
        "oleacc.dll", "AccessibleObjectFromWindow");
    void* object = nullptr;
    if (!fromWindow || FAILED(fromWindow(hwnd, OBJID_CLIENT, IID_IAccessible, &object)))
        return nullptr;
    return static_cast<IAccessible*>(object);
}

VARIANT child(long id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string textOf(BSTR text) {
    static const auto release =
        systemFunction<decltype(SysFreeString)>("oleaut32.dll", "SysFreeString");
    if (!text) return "<none>";
    std::string out = utf16ToAnsi(reinterpret_cast<const char16_t*>(text));
    release(text);
    return out;
}

struct ChildFacts {
    std::string name;
    std::string value;
    long role = 0;
    bool focusable = false;
    bool operator==(const ChildFacts&) const = default;
};

ChildFacts factsOf(IAccessible* object, long id) {
    ChildFacts facts;
    BSTR text = nullptr;
    if (object->get_accName(child(id), &text) == S_OK) facts.name = textOf(text);
    text = nullptr;
    if (object->get_accValue(child(id), &text) == S_OK) facts.value = textOf(text);
    VARIANT v{};
    if (object->get_accRole(child(id), &v) == S_OK) facts.role = v.lVal;
    if (object->get_accState(child(id), &v) == S_OK)
        facts.focusable = (v.lVal & STATE_SYSTEM_FOCUSABLE) != 0;
    return facts;
}

// The window's keyboard handling sees a key as the message loop hands it over.
void pressKey(HWND dialog, WPARAM key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg{GetFocus(), WM_KEYDOWN, key, 1, GetTickCount(), {}};
    if (!IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    testing::pumpMessages();
}

std::vector<std::pair<HWND, long>> focusEvents;

void CALLBACK onFocusEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG childId, DWORD,
                           DWORD) {
    if (object == OBJID_CLIENT) focusEvents.emplace_back(hwnd, childId);
}

class ParamLabelAccess : public ::testing::Test {
  protected:
    void SetUp() override {
        host = testing::createHostWindow(Rect{100, 100, 500, 300});
        ASSERT_NE(nullptr, host);
        SetWindowLongPtrA(host, GWL_EXSTYLE, WS_EX_CONTROLPARENT);
        before = CreateWindowExA(0, "Button", "Before", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 5,
                                 80, 20, host, nullptr, GetModuleHandleA(nullptr), nullptr);
        label = TParamLabel::create(host, 1, RECT{10, 30, 390, 160});
        after = CreateWindowExA(0, "Button", "After", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 170,
                                80, 20, host, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(before && label && after);
        ParamLabelLook look = label->look();
        look.LineSpacing = 6;
        look.TabStop = true;
        label->setLook(look);
        label->events().OnParamClick = [this](TParamLabel*, const std::string& href, std::string&) {
            clicked.push_back(href);
        };
        label->setHTMLText(
            {"<p bgcolor=\"#C1DAFB\"> Properties</p>",
             "<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">Kelvane "
             "&amp; Co</A><br>",
             "<B>Install Location</B> : <a href=\"InstallLocation\">C:\\Apps</a><br>",
             "<B>Contact</B> : <a href=\"Contact\" class=\"EDIT\">me</A><br>",
             "<br>Key: {GUID}<br>"});
        SetForegroundWindow(host);
        testing::pumpMessages();
    }
    void TearDown() override { DestroyWindow(host); }

    HWND host = nullptr;
    HWND before = nullptr;
    HWND after = nullptr;
    TParamLabel* label = nullptr;
    std::vector<std::string> clicked;
};

TEST_F(ParamLabelAccess, TabWalksTheValuesAndLinksBetweenTheNeighbouringControls) {
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, onFocusEvent,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    focusEvents.clear();
    SetFocus(before);
    pressKey(host, VK_TAB);
    ASSERT_EQ(label->hwnd(), GetFocus());
    EXPECT_EQ(0, label->interaction().focusedIndex());
    pressKey(host, VK_TAB);
    EXPECT_EQ(1, label->interaction().focusedIndex());
    // Return on the link opens it as a click does.
    pressKey(host, VK_RETURN);
    EXPECT_EQ((std::vector<std::string>{"InstallLocation"}), clicked);
    pressKey(host, VK_TAB);
    EXPECT_EQ(2, label->interaction().focusedIndex());
    pressKey(host, VK_TAB);
    EXPECT_EQ(after, GetFocus());
    // Back in with Shift+Tab: the last value.
    pressKey(host, VK_TAB, true);
    ASSERT_EQ(label->hwnd(), GetFocus());
    EXPECT_EQ(2, label->interaction().focusedIndex());
    pressKey(host, VK_TAB, true);
    EXPECT_EQ(1, label->interaction().focusedIndex());
    // Return on a value opens its editor; its commit brings the focus back to that value.
    pressKey(host, VK_TAB, true);
    pressKey(host, VK_RETURN);
    ASSERT_NE(nullptr, label->textEditor_);
    ASSERT_EQ(label->textEditor_->editWindow(), GetFocus());
    SetWindowTextA(label->textEditor_->editWindow(), "Kelvane");
    pressKey(host, VK_RETURN);
    EXPECT_EQ(label->hwnd(), GetFocus());
    EXPECT_EQ(0, label->interaction().focusedIndex());
    EXPECT_EQ("Kelvane", GetParamValue(label->markupText(), "Publisher"));
    testing::pumpMessages(50);
    UnhookWinEvent(hook);
    // Children 2, 3 and 4 are the Publisher, Install Location and Contact lines.
    std::vector<long> labelChildren;
    for (const auto& [hwnd, id] : focusEvents)
        if (hwnd == label->hwnd() && id != CHILDID_SELF) labelChildren.push_back(id);
    EXPECT_EQ((std::vector<long>{2, 3, 4, 4, 3, 2, 2}), labelChildren);
}

TEST_F(ParamLabelAccess, AScreenReaderFindsOneChildPerLineWithItsCaptionAndValue) {
    IAccessible* object = accessibleOf(label->hwnd());
    ASSERT_NE(nullptr, object);
    long count = 0;
    ASSERT_EQ(S_OK, object->get_accChildCount(&count));
    ASSERT_EQ(5, count);
    const std::vector<ChildFacts> expected{
        {"Properties", "", ROLE_SYSTEM_STATICTEXT, false},
        {"Publisher", "Kelvane & Co", ROLE_SYSTEM_TEXT, true},
        {"Install Location", "C:\\Apps", ROLE_SYSTEM_LINK, true},
        {"Contact", "me", ROLE_SYSTEM_TEXT, true},
        {"Key", "{GUID}", ROLE_SYSTEM_STATICTEXT, false},
    };
    for (long id = 1; id <= count; ++id)
        EXPECT_EQ(expected[static_cast<std::size_t>(id - 1)], factsOf(object, id)) << id;

    // The focused value is the object's focus.
    SetFocus(label->hwnd());
    label->interaction().focusAnchor(2);
    VARIANT focus{};
    ASSERT_EQ(S_OK, object->get_accFocus(&focus));
    EXPECT_EQ(4, focus.lVal);
    object->Release();

    // Gone with its window: what a client still holds answers "disconnected".
    object = accessibleOf(label->hwnd());
    ASSERT_NE(nullptr, object);
    DestroyWindow(label->hwnd());
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, object->get_accChildCount(&count));
    object->Release();
}

class ToolBarAccess : public testing::MainWindowFixture {};

TEST_F(ToolBarAccess, ButtonsAndLinksAreNamedByTheirCaptionsWithTheirRoles) {
    openWindow();
    struct Case {
        int id;
        long role;
    };
    for (const Case& c : {Case{layout::kRefreshButtonId, ROLE_SYSTEM_PUSHBUTTON},
                          Case{layout::kSiteLabelId, ROLE_SYSTEM_LINK}}) {
        IAccessible* object = accessibleOf(control(c.id));
        ASSERT_NE(nullptr, object) << c.id;
        ChildFacts facts = factsOf(object, CHILDID_SELF);
        EXPECT_EQ(testing::windowText(control(c.id)), facts.name);
        EXPECT_EQ(c.role, facts.role);
        EXPECT_TRUE(facts.focusable);
        object->Release();
    }
}

} // namespace
} // namespace remvana
