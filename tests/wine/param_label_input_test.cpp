// The label's message handling over a stand-in label window whose anchors sit at fixed
// places, so that the Windows side (cursor, focus, editor placement, hints) is seen alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label_input.h"

namespace remvana {
namespace {

class StandInLabel : public ParamLabelContent {
  public:
    std::string markup = "<a href=\"Publisher\" class=\"EDIT\" hint=\"Who made it\">old</a> "
                         "<a href=\"Contact\" class=\"EDIT\">me</a>\r\n";
    std::string markupText() override { return markup; }
    void setMarkupText(const std::string& text) override { markup = text; }
    MarkupResult hitTestAt(Point p) override {
        MarkupResult r;
        for (int n = 1; n <= 2; ++n)
            if (rectOf(n).contains(p)) {
                r.hit = true;
                r.anchorNumber = n;
                r.anchorRect = rectOf(n);
                r.anchorName = n == 1 ? "Publisher" : "Contact";
            }
        return r;
    }
    std::optional<Rect> anchorRectOf(int number) override { return rectOf(number); }
    int paintedAnchorCount() override { return 2; }
    bool hover() override { return true; }
    bool tabStop() override { return true; }
    int lineSpacing() override { return 6; }
    static Rect rectOf(int number) {
        return number == 1 ? Rect{10, 10, 60, 24} : Rect{80, 10, 120, 24};
    }
};

LRESULT CALLBACK standInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* input = reinterpret_cast<ParamLabelInput*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (input != nullptr && input->handleMessage(msg, wParam, lParam, result)) return result;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ParamLabelInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = standInProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ParamLabelStandIn";
        RegisterClassA(&wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "ParamLabelStandInHost";
        RegisterClassA(&wc);
        host = CreateWindowExA(0, "ParamLabelStandInHost", "host", WS_POPUP | WS_VISIBLE, 100, 100,
                               300, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        label = CreateWindowExA(0, "ParamLabelStandIn", "", WS_CHILD | WS_VISIBLE, 20, 30, 250, 60,
                                host, nullptr, GetModuleHandleA(nullptr), nullptr);
        input = std::make_unique<ParamLabelInput>(label, content, nullptr);
        input->setParamHint(true);
        input->options().EditAutoSize = true;
        input->events().OnParamEditDone = [&](TParamLabel*, const std::string& href,
                                              std::string& value) {
            done.push_back(href + "=" + value);
        };
        SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(input.get()));
        SetForegroundWindow(host);
    }
    void TearDown() override {
        SetWindowLongPtrA(label, GWLP_USERDATA, 0);
        input.reset();
        DestroyWindow(host);
    }
    void click(int x, int y) {
        SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void typeIntoEditor(const std::string& text) {
        for (char c : text)
            SendMessageA(input->textEditor()->editWindow(), WM_CHAR, static_cast<unsigned char>(c),
                         1);
    }

    StandInLabel content;
    HWND host = nullptr;
    HWND label = nullptr;
    std::unique_ptr<ParamLabelInput> input;
    std::vector<std::string> done;
};

TEST_F(ParamLabelInputTest, ClickOpensTheEditorOverTheAnchorAndReturnWritesBack) {
    click(20, 15);
    ASSERT_NE(nullptr, input->textEditor());
    TPopupEdit& editor = *input->textEditor();
    EXPECT_TRUE(editor.visible());
    RECT r;
    GetWindowRect(editor.window(), &r);
    // Label at (120,130) on screen; anchor (10,10)-(60,24) inflated, down 6, 2 px higher.
    EXPECT_EQ(120 + 9, r.left);
    EXPECT_EQ(130 + 9 + 6 - 2, r.top);
    EXPECT_GE(r.right - r.left, 52 + 16);
    EXPECT_EQ("old", editor.text());
    typeIntoEditor("A & B");
    SendMessageA(editor.editWindow(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageA(editor.editWindow(), WM_CHAR, '\r', 1);
    EXPECT_FALSE(editor.visible());
    EXPECT_EQ(label, GetFocus());
    EXPECT_EQ((std::vector<std::string>{"Publisher=A & B"}), done);
    EXPECT_EQ("A & B", GetParamValue(content.markup, "Publisher"));
    EXPECT_EQ("me", GetParamValue(content.markup, "Contact"));
    EXPECT_FALSE(input->interaction().editing());
}

TEST_F(ParamLabelInputTest, TheCursorIsTheHandOnlyOverAnchors) {
    SendMessageA(label, WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
    SendMessageA(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)), GetCursor());
    SendMessageA(label, WM_MOUSEMOVE, 0, MAKELPARAM(200, 50));
    SendMessageA(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)), GetCursor());
}

TEST_F(ParamLabelInputTest, KeyboardMovesTheFocusAndF2EditsTheFocusedAnchor) {
    SetFocus(label);
    SendMessageA(label, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(1, input->interaction().focusedIndex());
    SendMessageA(label, WM_KEYDOWN, VK_F2, 1);
    ASSERT_NE(nullptr, input->textEditor());
    EXPECT_EQ("Contact", input->textEditor()->href());
    EXPECT_EQ("me", input->textEditor()->text());
    SendMessageA(input->textEditor()->editWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(done.empty());
    EXPECT_FALSE(input->interaction().editing());
    EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTCHARS, SendMessageA(label, WM_GETDLGCODE, 0, 0));
}

TEST_F(ParamLabelInputTest, TheHintNamesTheAnchorUnderTheMouseAndSitsBesideIt) {
    POINT onAnchor{20, 15};
    ClientToScreen(label, &onAnchor);
    SetCursorPos(onAnchor.x, onAnchor.y);
    POINT at;
    GetCursorPos(&at);
    if (at.x != onAnchor.x || at.y != onAnchor.y) GTEST_SKIP() << "pointer cannot be moved";
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = input->hintWindow();
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(label, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("Who made it", info.lpszText);

    NMHDR show{input->hintWindow(), 0, TTN_SHOW};
    EXPECT_EQ(TRUE, SendMessageA(label, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&show)));
    RECT tip;
    GetWindowRect(input->hintWindow(), &tip);
    EXPECT_EQ(onAnchor.x + 10, tip.left);
    EXPECT_EQ(onAnchor.y - 10, tip.top);

    POINT away{200, 50};
    ClientToScreen(label, &away);
    SetCursorPos(away.x, away.y);
    info.lpszText = nullptr;
    SendMessageA(label, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("", info.lpszText);
}

} // namespace
} // namespace remvana
