// The label's text editor on its own, hosted by a bare window with a stand-in label, driven
// through the messages a user's keys and clicks produce.
#include <gtest/gtest.h>

#include "widgets/paramlabel/win32/popup_edit.h"

namespace remvana {
namespace {

HWND makeWindow(const char* title, HWND parent, DWORD style) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PopupEditTestHost";
        registered = RegisterClassA(&wc) != 0;
    }
    return CreateWindowExA(0, "PopupEditTestHost", title, style, 50, 50, 400, 200, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

RECT screenRect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

class PopupEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.reset(makeWindow("host", nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        label = makeWindow("label", host.get(), WS_CHILD | WS_VISIBLE);
        SetForegroundWindow(host.get());
        SetFocus(label);
        editor = std::make_unique<TPopupEdit>(label, nullptr);
        editor->OnCommit = [&](const std::string& href, const std::string& text) {
            commits.push_back(href + "=" + text);
        };
        editor->OnCancel = [&] { ++cancels; };
    }
    void TearDown() override {
        editor.reset();
        host.reset();
        pump();
    }
    void type(const std::string& text) {
        for (char c : text)
            SendMessageA(editor->editWindow(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void key(WPARAM vk, char ch = 0) {
        SendMessageA(editor->editWindow(), WM_KEYDOWN, vk, 1);
        if (ch != 0) SendMessageA(editor->editWindow(), WM_CHAR, static_cast<WPARAM>(ch), 1);
        SendMessageA(editor->editWindow(), WM_KEYUP, vk, 1);
    }

    ScopedWindow host;
    HWND label = nullptr;
    std::unique_ptr<TPopupEdit> editor;
    std::vector<std::string> commits;
    int cancels = 0;
};

TEST_F(PopupEditTest, OpensAsAnOwnedPopupAtThePointWithItsTextSelected) {
    editor->open("Publisher", {120, 140}, 48, "old");
    HWND popup = editor->hwnd();
    EXPECT_TRUE(editor->visible());
    LONG style = GetWindowLongA(popup, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_EQ(host.get(), GetWindow(popup, GW_OWNER));
    RECT r = screenRect(popup);
    EXPECT_EQ(120, r.left);
    EXPECT_EQ(140, r.top);
    EXPECT_EQ(48, r.right - r.left);
    EXPECT_GT(r.bottom - r.top, 12);
    EXPECT_EQ(editor->editWindow(), GetFocus());
    EXPECT_EQ("old", editor->text());
    // Typing replaces the whole old text.
    type("A & B");
    EXPECT_EQ("A & B", editor->text());
}

TEST_F(PopupEditTest, AutoSizeWidensToTheTextAndNeverShrinks) {
    editor->EditAutoSize = true;
    editor->open("Contact", {10, 10}, 40, "");
    EXPECT_EQ(40, screenRect(editor->hwnd()).right - screenRect(editor->hwnd()).left);
    type("a considerably longer text than the anchor");
    RECT wide = screenRect(editor->hwnd());
    HDC dc = GetDC(editor->editWindow());
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    std::string text = editor->text();
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(editor->editWindow(), dc);
    EXPECT_EQ(extent.cx + 16, wide.right - wide.left);
    SetWindowTextA(editor->editWindow(), "");
    EXPECT_EQ(wide.right - wide.left,
              screenRect(editor->hwnd()).right - screenRect(editor->hwnd()).left);

    // Without auto-size the width stays as opened.
    editor->EditAutoSize = false;
    editor->open("Contact", {10, 10}, 40, "");
    type("a considerably longer text than the anchor");
    EXPECT_EQ(40, screenRect(editor->hwnd()).right - screenRect(editor->hwnd()).left);
}

TEST_F(PopupEditTest, ReopeningResetsPlaceTextNameAndFinishedFlag) {
    editor->open("A", {10, 10}, 40, "one");
    HWND first = editor->hwnd();
    key(VK_ESCAPE, 0x1B);
    EXPECT_EQ(1, cancels);
    EXPECT_TRUE(commits.empty());
    editor->open("B", {200, 220}, 90, "two");
    EXPECT_EQ(first, editor->hwnd());
    EXPECT_FALSE(editor->finished());
    EXPECT_EQ("B", editor->href());
    EXPECT_EQ("two", editor->text());
    RECT r = screenRect(editor->hwnd());
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(90, r.right - r.left);
    key(VK_RETURN, '\r');
    EXPECT_EQ((std::vector<std::string>{"B=two"}), commits);
}

} // namespace
} // namespace remvana
