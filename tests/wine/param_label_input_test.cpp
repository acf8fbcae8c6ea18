// The label's mouse, keyboard and hint handling over a real TParamLabel in a bare window,
// driven by the messages a user's clicks and keys produce.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_edit.h"
#include "window_fixture.h"

namespace remvana {
namespace {

class ParamLabelInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.reset(testing::createHostWindow(Rect{100, 100, 500, 260}));
        ASSERT_TRUE(host);
        label = TParamLabel::create(host.get(), 1, RECT{20, 30, 380, 130});
        ASSERT_NE(nullptr, label);
        ParamLabelLook look = label->look();
        look.LineSpacing = 6;
        look.TabStop = true;
        label->setLook(look);
        label->editOptions().ParamHint = true;
        label->setHTMLText({"<b>Publisher</b> : <a href=\"Publisher\" class=\"EDIT\" "
                            "hint=\"Who made it\">old</a><br>",
                            "<b>Contact</b> : <a href=\"Contact\" class=\"EDIT\">me</a><br>"});
        SetForegroundWindow(host.get());
        UpdateWindow(label->hwnd());
    }
    void TearDown() override { host.reset(); }

    POINT centreOf(int number) {
        std::optional<Rect> r = label->anchorRectOf(number);
        EXPECT_TRUE(r.has_value());
        if (!r) return {0, 0};
        return {(r->left + r->right) / 2, (r->top + r->bottom) / 2};
    }
    void click(POINT at) {
        SendMessageA(label->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        SendMessageA(label->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(label->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    HCURSOR cursorAt(POINT at) {
        SendMessageA(label->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        SendMessageA(label->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label->hwnd()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }

    ScopedWindow host;
    TParamLabel* label = nullptr;
};

TEST_F(ParamLabelInputTest, ClickOpensTheEditorJustAboveTheAnchor) {
    std::optional<Rect> anchor = label->anchorRectOf(1);
    ASSERT_TRUE(anchor);
    click(centreOf(1));
    ASSERT_NE(nullptr, label->textEditor_);
    TPopupEdit& editor = *label->textEditor_;
    EXPECT_TRUE(editor.visible());
    EXPECT_TRUE(label->interaction().editing());
    RECT r;
    GetWindowRect(editor.hwnd(), &r);
    POINT origin{0, 0};
    ClientToScreen(label->hwnd(), &origin);
    // The anchor's rectangle, inflated by one pixel, moved down by the line spacing; the
    // editor's top two pixels above that.
    EXPECT_EQ(origin.x + anchor->left - 1, r.left);
    EXPECT_EQ(origin.y + anchor->top - 1 + 6 - 2, r.top);
    EXPECT_GE(r.right - r.left, std::max(16, anchor->width() + 2) + 16);
    EXPECT_EQ("old", editor.text());
}

TEST_F(ParamLabelInputTest, TheCursorIsTheHandOnlyOverAnchors) {
    EXPECT_EQ(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)), cursorAt(centreOf(2)));
    EXPECT_EQ("Contact", label->interaction().currentAnchor());
    EXPECT_EQ(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)), cursorAt({370, 95}));
    EXPECT_EQ("", label->interaction().currentAnchor());
}

TEST_F(ParamLabelInputTest, HoveringAnAnchorShowsItsHintBesideTheMouse) {
    // Moves the pointer there as a user would and waits (at most 3 s) for the hint window
    // to show or hide; returns the pointer's screen position.
    auto hoverUntil = [&](POINT client, bool shown) {
        ClientToScreen(label->hwnd(), &client);
        SetCursorPos(client.x - 2, client.y);
        testing::pumpMessages();
        SetCursorPos(client.x, client.y);
        for (int waited = 0; waited < 3000; waited += 20) {
            testing::pumpMessages();
            if (label->hintWindow_ && (IsWindowVisible(label->hintWindow_.get()) != FALSE) == shown)
                break;
            Sleep(20);
        }
        return client;
    };
    auto hintText = [&] {
        char text[128] = {};
        GetWindowTextA(label->hintWindow_.get(), text, sizeof text);
        return std::string(text);
    };
    POINT mouse = hoverUntil(centreOf(1), true);
    if (GetCursorPos(&mouse) && label->interaction().currentAnchor().empty())
        GTEST_SKIP() << "the pointer cannot be moved on this display";
    ASSERT_TRUE(IsWindowVisible(label->hintWindow_.get()));
    EXPECT_EQ("Who made it", hintText());
    testing::saveScreenshot(GetDesktopWindow(), "parameter_hint");
    RECT tip;
    GetWindowRect(label->hintWindow_.get(), &tip);
    EXPECT_EQ(mouse.x + 10, tip.left);
    EXPECT_EQ(mouse.y - 10, tip.top);

    // The next anchor has no hint attribute: its name is the hint.
    hoverUntil(centreOf(2), false);
    hoverUntil(centreOf(2), true);
    ASSERT_TRUE(IsWindowVisible(label->hintWindow_.get()));
    EXPECT_EQ("Contact", hintText());

    // Away from anchors the label shows no hint.
    hoverUntil({340, 90}, false);
    testing::pumpMessages(800);
    EXPECT_FALSE(IsWindowVisible(label->hintWindow_.get()));
}

} // namespace
} // namespace remvana
