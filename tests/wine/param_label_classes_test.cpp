// One real label with an anchor of every class beyond EDIT: each editor opened by a click,
// driven through its own messages, and the value it committed read back from the markup.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <functional>

#include "platform/date_time_text.h"
#include "widgets/paramlabel/param_editors.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_date_picker.h"
#include "widgets/paramlabel/win32/popup_list_box.h"
#include "widgets/paramlabel/win32/popup_mask_edit.h"
#include "widgets/paramlabel/win32/popup_spin_edit.h"
#include "window_fixture.h"

namespace remvana {
namespace {

// Runs `step` from a timer inside whatever modal loop is running (a menu, the folder
// browser) until it returns true.
std::function<bool()> pendingStep;
void CALLBACK runPendingStep(HWND, UINT, UINT_PTR timer, DWORD) {
    // A step that pumps messages itself (a screenshot) must not run again inside itself.
    static bool running = false;
    if (running || !pendingStep) return;
    running = true;
    bool done = pendingStep();
    running = false;
    if (done) {
        pendingStep = nullptr;
        KillTimer(nullptr, timer);
    }
}
void duringModalLoop(std::function<bool()> step) {
    pendingStep = std::move(step);
    SetTimer(nullptr, 0, 50, runPendingStep);
}

// The visible dialog of this thread, if one is up.
HWND visibleDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            if (testing::classNameOf(w) == "#32770" && IsWindowVisible(w)) {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool hasChildWithText(HWND parent, const std::string& text) {
    std::pair<std::string, bool> wanted{text, false};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM data) {
            auto* wanted = reinterpret_cast<std::pair<std::string, bool>*>(data);
            if (testing::windowText(w) == wanted->first) wanted->second = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
}

class ParamLabelClassesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host = testing::createHostWindow(Rect{60, 60, 560, 420});
        ASSERT_NE(nullptr, host);
        label = TParamLabel::create(host, 1, RECT{10, 10, 490, 350});
        ASSERT_NE(nullptr, label);
        ParamLabelLook look = label->look();
        look.LineSpacing = 6;
        look.TabStop = true;
        look.Color = rgb(0xFF, 0xFF, 0xFF);
        look.ParamColor = rgb(0, 0, 0xFF);
        label->setLook(look);
        std::vector<std::string> lines;
        for (const char* anchor :
             {"Toggle: <a href=\"Toggle\" class=\"TOGGLE\" props=\"on|off\">on</a>",
              "Menu: <a href=\"Menu\" class=\"MENU\" props=\"red|R&amp;D|blue\">red</a>",
              "List: <a href=\"List\" class=\"LIST\" props=\"alpha|beta|gamma\">beta</a>",
              "Date: <a href=\"Date\" class=\"DATE\">3/14/2021</a>",
              "Time: <a href=\"Time\" class=\"TIME\">1:05:00 PM</a>",
              "Spin: <a href=\"Spin\" class=\"SPIN\">41</a>",
              "Folder: <a href=\"Dir\" class=\"DIR\">C:\\windows\\</a>",
              "Code: <a href=\"Mask\" class=\"MASK\" props=\"LL-000;1;_\">AB-123</a>",
              "Query: <a href=\"Query\" class=\"QUERY\">ask</a>",
              "Custom: <a href=\"Custom\" class=\"CUSTOM\" props=\"x\">mine</a>"})
            lines.push_back(std::string(anchor) + "<br>");
        label->setHTMLText(lines);
        SetForegroundWindow(host);
        UpdateWindow(label->handle());
    }
    void TearDown() override {
        pendingStep = nullptr;
        DestroyWindow(host);
        testing::pumpMessages();
    }

    // Clicks the anchor with that 1-based number as the mouse does.
    void click(int number) {
        std::optional<Rect> r = label->anchorRectOf(number);
        ASSERT_TRUE(r.has_value());
        LPARAM at = MAKELPARAM((r->left + r->right) / 2, (r->top + r->bottom) / 2);
        SendMessageA(label->handle(), WM_MOUSEMOVE, 0, at);
        SendMessageA(label->handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(label->handle(), WM_LBUTTONUP, 0, at);
    }
    std::string value(const char* href) { return GetParamValue(label->markupText(), href); }
    void key(HWND w, WPARAM vk) {
        SendMessageA(w, WM_KEYDOWN, vk, 1);
        SendMessageA(w, WM_KEYUP, vk, 1);
    }
    // The anchor's bottom-left on the screen, as the label places what drops below it.
    POINT belowAnchor(int number) {
        Rect r = *label->anchorRectOf(number);
        POINT p{r.left - 1, r.bottom + 1 + 6};
        ClientToScreen(label->handle(), &p);
        return p;
    }

    HWND host = nullptr;
    TParamLabel* label = nullptr;
};

TEST_F(ParamLabelClassesTest, ToggleQueryAndCustomCommitWithoutAnEditorWindow) {
    label->events().OnParamQuery = [](TParamLabel*, const std::string&, std::string& v) {
        v = "answered " + v;
    };
    Rect customRect;
    label->events().OnParamCustomEdit = [&](TParamLabel* sender, const std::string& href,
                                            const std::string& v, const std::string&, Rect r) {
        customRect = r;
        sender->interaction().editDone(href, v + " edited");
    };
    click(1);
    EXPECT_EQ("off", value("Toggle"));
    click(1);
    EXPECT_EQ("on", value("Toggle"));
    click(9);
    EXPECT_EQ("answered ask", value("Query"));
    click(10);
    EXPECT_EQ("mine edited", value("Custom"));
    EXPECT_GT(customRect.width(), 0);
    EXPECT_FALSE(label->interaction().editing());
}

TEST_F(ParamLabelClassesTest, MenuPopsUpBelowTheAnchorAndItsChoiceIsWritten) {
    std::vector<std::string> events;
    label->events().OnParamSelect = [&](TParamLabel*, const std::string& h, const std::string& v) {
        events.push_back(h + "=" + v);
    };
    RECT menuAt{};
    duringModalLoop([&] {
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu == nullptr || !IsWindowVisible(menu)) return false;
        GetWindowRect(menu, &menuAt);
        // Down twice onto the second item, "R&D", and choose it.
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    click(2);
    EXPECT_EQ("R&D", value("Menu"));
    EXPECT_EQ((std::vector<std::string>{"Menu=R&D"}), events);
    POINT below = belowAnchor(2);
    EXPECT_EQ(below.x, menuAt.left);
    EXPECT_EQ(below.y + 2, menuAt.top);
    EXPECT_GT(menuAt.bottom - menuAt.top, 3 * 10); // three items
}

TEST_F(ParamLabelClassesTest, ListDropsDownSizedToItsItemsAndCommitsByReturnOrMouse) {
    click(3);
    ASSERT_TRUE(label->listBox_);
    TPopupListBox& list = *label->listBox_;
    ASSERT_TRUE(list.visible());
    EXPECT_EQ(1, list.selectedIndex()); // "beta", the anchor's value
    EXPECT_TRUE(GetWindowLongA(list.window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(list.control(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT r;
    GetWindowRect(list.window(), &r);
    POINT below = belowAnchor(3);
    EXPECT_EQ(below.x, r.left);
    EXPECT_EQ(below.y, r.top);
    EXPECT_EQ(TPopupListBox::kHeight, r.bottom - r.top);
    EXPECT_GT(r.right - r.left, 10);
    EXPECT_LT(r.right - r.left, 100);
    testing::saveScreenshot(GetDesktopWindow(), "label_list_box_open");

    key(list.control(), VK_DOWN);
    key(list.control(), VK_RETURN);
    EXPECT_FALSE(list.visible());
    EXPECT_EQ("gamma", value("List"));
    EXPECT_EQ(label->handle(), GetFocus());

    // Released on the first item: closed, then committed.
    click(3);
    int itemHeight = static_cast<int>(SendMessageA(list.control(), LB_GETITEMHEIGHT, 0, 0));
    LPARAM first = MAKELPARAM(5, itemHeight / 2);
    SendMessageA(list.control(), WM_LBUTTONDOWN, MK_LBUTTON, first);
    SendMessageA(list.control(), WM_LBUTTONUP, 0, first);
    EXPECT_FALSE(list.visible());
    EXPECT_EQ("alpha", value("List"));

    // Escape closes it with nothing committed.
    click(3);
    key(list.control(), VK_DOWN);
    key(list.control(), VK_ESCAPE);
    EXPECT_FALSE(list.visible());
    EXPECT_EQ("alpha", value("List"));
}

TEST_F(ParamLabelClassesTest, DateAndTimePickersStartFromTheValueAndCommitInTheUsersFormat) {
    DateTimeFormats formats = label->dateTimeFormats();
    // The markup's values are in the United States formats; write them in this prefix's.
    label->setMarkupText(
        SetParamValue(label->markupText(), "Date", dateToStr({2021, 3, 14, 0, 0, 0, 0}, formats)));
    label->setMarkupText(
        SetParamValue(label->markupText(), "Time", timeToStr({2005, 1, 1, 13, 5, 0, 0}, formats)));
    click(4);
    ASSERT_TRUE(label->datePicker_);
    TPopupDatePicker& picker = *label->datePicker_;
    ASSERT_TRUE(picker.visible());
    EXPECT_EQ(testing::classNameOf(picker.control()), DATETIMEPICK_CLASSA);
    EXPECT_EQ(14, picker.value().day);
    EXPECT_EQ(3, picker.value().month);
    // The user picks the 2nd of March.
    SYSTEMTIME picked{2021, 3, 0, 2, 0, 0, 0, 0};
    SendMessageA(picker.control(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked));
    key(picker.control(), VK_RETURN);
    EXPECT_FALSE(picker.visible());
    EXPECT_EQ(dateToStr({2021, 3, 2, 0, 0, 0, 0}, formats), value("Date"));

    click(5);
    ASSERT_TRUE(picker.visible());
    SystemTime shown = picker.value();
    EXPECT_EQ(2005, shown.year);
    EXPECT_EQ(1, shown.month);
    EXPECT_EQ(1, shown.day);
    EXPECT_EQ(13, shown.hour);
    EXPECT_EQ(5, shown.minute);
    key(picker.control(), VK_RETURN);
    EXPECT_EQ(timeToStr({2005, 1, 1, 13, 5, 0, 0}, formats), value("Time"));

    // Dropping the calendar down deactivates the picker's popup without closing it.
    click(4);
    RECT box;
    GetClientRect(picker.control(), &box);
    LPARAM button = MAKELPARAM(box.right - 6, box.bottom / 2);
    SendMessageA(picker.control(), WM_LBUTTONDOWN, MK_LBUTTON, button);
    SendMessageA(picker.control(), WM_LBUTTONUP, 0, button);
    testing::pumpMessages(100);
    EXPECT_TRUE(picker.droppedDown());
    EXPECT_TRUE(picker.visible());
    HWND calendar = FindWindowA(MONTHCAL_CLASSA, nullptr);
    ASSERT_NE(nullptr, calendar);
    EXPECT_TRUE(IsWindowVisible(calendar));
    testing::saveScreenshot(GetDesktopWindow(), "label_date_picker_open");
}

TEST_F(ParamLabelClassesTest, SpinStepsItsNumberWithTheArrows) {
    click(6);
    ASSERT_TRUE(label->spinEdit_);
    TPopupSpinEdit& spin = *label->spinEdit_;
    ASSERT_TRUE(spin.visible());
    EXPECT_EQ("41", spin.text());
    EXPECT_EQ(testing::classNameOf(spin.upDown()), UPDOWN_CLASSA);
    key(spin.control(), VK_UP);
    key(spin.control(), VK_UP);
    EXPECT_EQ("43", spin.text());
    testing::saveScreenshot(GetDesktopWindow(), "label_spin_edit_open");
    key(spin.control(), VK_RETURN);
    EXPECT_FALSE(spin.visible());
    EXPECT_EQ("43", value("Spin"));
}

TEST_F(ParamLabelClassesTest, MaskKeepsTheEditorOpenUntilTheTextFits) {
    click(8);
    ASSERT_TRUE(label->maskEdit_);
    TPopupMaskEdit& mask = *label->maskEdit_;
    ASSERT_TRUE(mask.visible());
    EXPECT_EQ("AB-123", mask.text());
    SetWindowTextA(mask.editWindow(), "A1-123");
    key(mask.editWindow(), VK_RETURN);
    EXPECT_TRUE(mask.visible());
    EXPECT_EQ(mask.editWindow(), GetFocus());
    EXPECT_EQ("AB-123", value("Mask"));
    SetWindowTextA(mask.editWindow(), "CD-456");
    key(mask.editWindow(), VK_RETURN);
    EXPECT_FALSE(mask.visible());
    EXPECT_EQ("CD-456", value("Mask"));
}

TEST_F(ParamLabelClassesTest, DirOpensTheFolderBrowserBelowTheAnchorAndWritesTheChoice) {
    bool titled = false;
    RECT dialogAt{};
    duringModalLoop([&] {
        HWND dialog = visibleDialog();
        if (dialog == nullptr) return false;
        titled = hasChildWithText(dialog, "Select directory");
        GetWindowRect(dialog, &dialogAt);
        testing::saveScreenshot(GetDesktopWindow(), "label_folder_browser_open");
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                     reinterpret_cast<LPARAM>("C:\\windows\\system32"));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
    int done = 0;
    label->events().OnParamEditDone = [&](TParamLabel*, const std::string&, std::string&) {
        ++done;
    };
    click(7);
    EXPECT_TRUE(titled);
    EXPECT_STRCASEEQ("C:\\windows\\system32", value("Dir").c_str());
    EXPECT_EQ(0, done);
    EXPECT_FALSE(label->interaction().editing());
    Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT own;
    GetWindowRect(label->handle(), &own);
    POINT below = belowAnchor(7);
    Point expected = folderBrowserPosition(
        {below.x, below.y}, {dialogAt.right - dialogAt.left, dialogAt.bottom - dialogAt.top},
        screen, own.bottom - own.top);
    EXPECT_EQ(expected.x, dialogAt.left);
    EXPECT_EQ(expected.y, dialogAt.top);
}

} // namespace
} // namespace remvana
