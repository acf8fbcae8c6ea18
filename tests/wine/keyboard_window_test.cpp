// The real window driven by the keyboard alone: each key goes through what the program's
// message loop does with it (the window's keys, then the dialog keys, then the control), and
// the registry and the clipboard are read back.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/win32/application.h"
#include "dialog_answerer.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "menu_answerer.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_edit.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::string& kStore = testing::kUninstallStore;
// Digits sort before letters: the first row of the list.
const std::string kFirstKey = "RemvanaKeys First";
const std::string kFirstName = "0 Keyboard First";
const std::string kLaterKey = "RemvanaKeys Later";

std::string storedValue(const std::string& key, const std::string& name) {
    char data[256] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, (kStore + key).c_str(), name.c_str(), RRF_RT_REG_SZ,
                     nullptr, data, &size) != ERROR_SUCCESS)
        return "<absent>";
    return data;
}

std::string clipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<not opened>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
        const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        text.resize(static_cast<std::size_t>(size > 0 ? size - 1 : 0));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

class WindowKeyboard : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::setMachineString(kStore + kFirstKey, "DisplayName", kFirstName));
        ASSERT_TRUE(testing::setMachineString(kStore + kFirstKey, "Publisher", "old"));
        openWindow();
        label = TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId));
        ASSERT_NE(nullptr, label);
    }
    void TearDown() override {
        testing::MainWindowFixture::TearDown();
        testing::deleteMachineTree(kStore + kFirstKey);
        testing::deleteMachineTree(kStore + kLaterKey);
    }

    // A key pressed and released on the control with the focus, as the message loop hands
    // both over; F10 is a system key, as Windows sends it.
    void press(WPARAM key, bool shift = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        const bool system = key == VK_F10;
        const UINT down = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
        const UINT up = system ? WM_SYSKEYUP : WM_KEYUP;
        deliver({GetFocus(), down, key, 1, GetTickCount(), {}});
        deliver({GetFocus(), up, key, 0xC0000001, GetTickCount(), {}});
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        testing::pumpMessages(20);
    }
    void deliver(MSG msg) {
        if (Application.KeyPreview && Application.KeyPreview(msg)) return;
        if (IsDialogMessageA(window(), &msg)) return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    HWND list() { return controlOf(form(), layout::kListViewId); }
    int focusedRow() {
        return static_cast<int>(
            SendMessageA(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }

    TParamLabel* label = nullptr;
};

} // namespace

TEST_F(WindowKeyboard, FromStartTheKeysAloneEditAPropertyAndWriteItBack) {
    // At start: the list has the focus, its first row focused and nothing selected.
    EXPECT_EQ(list(), GetFocus());
    EXPECT_EQ(0, focusedRow());
    EXPECT_EQ(nullptr, form().selectedAppInfo());
    testing::saveScreenshot(window(), "keyboard_focus_at_start");
    ASSERT_EQ(kFirstName, testing::listItemText(list(), 0, 0));

    press(VK_DOWN);
    ASSERT_NE(nullptr, form().selectedAppInfo());
    EXPECT_EQ(kFirstName, form().selectedAppInfo()->DisplayName);

    // Tab: the first editable value of the details; Enter opens its editor.
    press(VK_TAB);
    ASSERT_EQ(label->hwnd(), GetFocus());
    const int value = label->interaction().focusedIndex();
    testing::saveScreenshot(window(), "keyboard_value_focused");
    const std::string href = ParamAnchorHref(label->markupText(), value);
    press(VK_RETURN);
    TPopupEdit* editor = label->textEditor_.get();
    ASSERT_TRUE(editor && editor->visible());
    EXPECT_EQ(href, editor->href());
    for (char c : std::string("Keyed"))
        SendMessageA(editor->editWindow(), WM_CHAR, static_cast<unsigned char>(c), 1);
    press(VK_RETURN);
    EXPECT_FALSE(editor->visible());
    EXPECT_EQ(label->hwnd(), GetFocus()) << "the focus is back on the value";
    EXPECT_EQ(value, label->interaction().focusedIndex());

    // Tab goes on through the other values to "Modify Properties"; Space writes.
    const HWND modify = controlOf(form(), layout::kModifyPropertiesButtonId);
    for (int i = 0; i < 20 && GetFocus() != modify; ++i) {
        press(VK_TAB);
        ASSERT_TRUE(GetFocus() == label->hwnd() || GetFocus() == modify);
    }
    ASSERT_EQ(modify, GetFocus());
    press(VK_SPACE);
    EXPECT_EQ("Keyed", storedValue(kFirstKey, href));
    EXPECT_FALSE(IsWindowEnabled(modify));
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowKeyboard, TabGoesInVisualOrderRoundTheWindowAndShiftTabBack) {
    press(VK_DOWN);
    using namespace layout;
    std::vector<HWND> stops;
    for (int id : {kRemoveButtonId, kChangeButtonId, kRepairButtonId, kDeleteEntryButtonId,
                   kUndoButtonId, kRefreshButtonId, kSavetofileButtonId, kFilterEditId, kListViewId,
                   kParamLabelId, kModifyPropertiesButtonId, kStartupLabelId, kSiteLabelId,
                   kSuggestLabelId, kMailToLabelId})
        if (IsWindowEnabled(controlOf(form(), id))) stops.push_back(controlOf(form(), id));
    ASSERT_LT(stops.size(), 15u) << "Undo and Modify Properties start disabled";
    // From the last stop forward, or the first backward, once round and one step on; the
    // label keeps the focus while Tab walks its values.
    auto walk = [&](bool forward) {
        SetFocus(forward ? stops.back() : stops.front());
        std::vector<HWND> seen;
        for (int i = 0; i < 40 && seen.size() <= stops.size(); ++i) {
            press(VK_TAB, !forward);
            if (seen.empty() || seen.back() != GetFocus()) seen.push_back(GetFocus());
        }
        return seen;
    };
    std::vector<HWND> round = stops;
    round.push_back(stops.front());
    EXPECT_EQ(round, walk(true));
    std::vector<HWND> back(stops.rbegin(), stops.rend());
    back.push_back(stops.back());
    EXPECT_EQ(back, walk(false));
}

TEST_F(WindowKeyboard, DeleteAsksAndDeletesAndF5Refreshes) {
    press(VK_DOWN);
    ASSERT_EQ(list(), GetFocus());
    {
        testing::DialogAnswerer user("Confirm", IDOK);
        press(VK_DELETE);
        EXPECT_TRUE(user.answered());
    }
    EXPECT_EQ("<absent>", storedValue(kFirstKey, "DisplayName"));
    EXPECT_EQ(-1, rowOf(kFirstName));

    ASSERT_TRUE(testing::setMachineString(kStore + kLaterKey, "DisplayName", "Keyboard Later"));
    EXPECT_EQ(-1, rowOf("Keyboard Later"));
    press(VK_F5);
    EXPECT_GE(rowOf("Keyboard Later"), 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowKeyboard, ShiftF10OpensTheRowMenuAndCopyPutsTheReportBlockOnTheClipboard) {
    press(VK_DOWN);
    ASSERT_EQ(list(), GetFocus());
    testing::MenuAnswerer user("Copy", "keyboard_row_menu");
    press(VK_F10, true);
    // Each action grey as its button is; no install location, so no folder to open.
    auto grey = [&](int id) { return !IsWindowEnabled(controlOf(form(), id)); };
    using namespace layout;
    const std::vector<std::pair<std::string, bool>> expected{
        {"Remove", grey(kRemoveButtonId)},
        {"Change", grey(kChangeButtonId)},
        {"Repair", grey(kRepairButtonId)},
        {"Delete Entry", grey(kDeleteEntryButtonId)},
        {"Copy", false},
        {"Open install location", true}};
    std::vector<std::pair<std::string, bool>> shown;
    for (const testing::MenuAnswerer::Item& item : user.items())
        shown.emplace_back(item.caption, item.grayed);
    EXPECT_EQ(expected, shown);
    EXPECT_TRUE(grey(kRemoveButtonId) && !grey(kDeleteEntryButtonId));
    EXPECT_EQ(kFirstName + "\r\n\r\n", clipboardText());

    // With two rows selected, each row's block, top first; no one folder to open.
    ASSERT_TRUE(testing::setMachineString(kStore + kLaterKey, "DisplayName", "Keyboard Later"));
    press(VK_F5);
    selectRow(kFirstName);
    addToSelection("Keyboard Later");
    testing::MenuAnswerer both("Copy");
    press(VK_F10, true);
    ASSERT_EQ(6u, both.items().size());
    EXPECT_TRUE(both.items()[5].grayed);
    EXPECT_EQ(kFirstName + "\r\n\r\nKeyboard Later\r\n\r\n", clipboardText());
}

} // namespace remvana
