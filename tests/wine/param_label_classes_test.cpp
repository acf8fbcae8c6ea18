// One real label with an anchor of every class beyond EDIT: each editor opened by a click,
// driven through its own messages, and the value it committed read back from the markup.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/date_time_text.h"
#include "widgets/paramlabel/param_editors.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_date_picker.h"
#include "widgets/paramlabel/win32/popup_edit.h"
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
        host.reset(testing::createHostWindow(Rect{60, 60, 560, 420}));
        ASSERT_TRUE(host);
        label = TParamLabel::create(host.get(), 1, RECT{10, 10, 490, 350});
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
        SetForegroundWindow(host.get());
        UpdateWindow(label->hwnd());
    }
    void TearDown() override {
        pendingStep = nullptr;
        host.reset();
        testing::pumpMessages();
    }

    // Clicks the anchor with that 1-based number as the mouse does.
    void click(int number) {
        std::optional<Rect> r = label->anchorRectOf(number);
        ASSERT_TRUE(r.has_value());
        LPARAM at = MAKELPARAM((r->left + r->right) / 2, (r->top + r->bottom) / 2);
        SendMessageA(label->hwnd(), WM_MOUSEMOVE, 0, at);
        SendMessageA(label->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(label->hwnd(), WM_LBUTTONUP, 0, at);
    }
    std::string value(const char* href) { return GetParamValue(label->markupText(), href); }
    // A key as the keyboard sends it, with the character it types, if any.
    void key(HWND w, WPARAM vk, char ch = 0) {
        SendMessageA(w, WM_KEYDOWN, vk, 1);
        if (ch != 0) SendMessageA(w, WM_CHAR, static_cast<WPARAM>(ch), 1);
        SendMessageA(w, WM_KEYUP, vk, 1);
    }
    // The anchor's bottom-left on the screen, as the label places what drops below it.
    POINT belowAnchor(int number) {
        Rect r = *label->anchorRectOf(number);
        POINT p{r.left - 1, r.bottom + 1 + 6};
        ClientToScreen(label->hwnd(), &p);
        return p;
    }

    // The editor the last click opened, if one is showing.
    PopupEditor* openEditor() {
        for (PopupEditor* editor : std::initializer_list<PopupEditor*>{
                 label->textEditor_.get(), label->listBox_.get(), label->spinEdit_.get(),
                 label->datePicker_.get(), label->maskEdit_.get()})
            if (editor != nullptr && editor->visible()) return editor;
        return nullptr;
    }

    ScopedWindow host;
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

TEST_F(ParamLabelClassesTest, ListDropsDownSizedToItsItemsAndCommitsWhereTheMouseIsReleased) {
    click(3);
    ASSERT_TRUE(label->listBox_);
    TPopupListBox& list = *label->listBox_;
    ASSERT_TRUE(list.visible());
    EXPECT_EQ(1, list.selectedIndex()); // "beta", the anchor's value
    EXPECT_TRUE(GetWindowLongA(list.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(list.control(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT r;
    GetWindowRect(list.hwnd(), &r);
    POINT below = belowAnchor(3);
    EXPECT_EQ(below.x, r.left);
    EXPECT_EQ(below.y, r.top);
    EXPECT_EQ(TPopupListBox::kHeight, r.bottom - r.top);
    EXPECT_GT(r.right - r.left, 10);
    EXPECT_LT(r.right - r.left, 100);
    testing::saveScreenshot(GetDesktopWindow(), "label_list_box_open");

    // Released on the first item: closed, then committed.
    int itemHeight = static_cast<int>(SendMessageA(list.control(), LB_GETITEMHEIGHT, 0, 0));
    LPARAM first = MAKELPARAM(5, itemHeight / 2);
    SendMessageA(list.control(), WM_LBUTTONDOWN, MK_LBUTTON, first);
    SendMessageA(list.control(), WM_LBUTTONUP, 0, first);
    EXPECT_FALSE(list.visible());
    EXPECT_EQ(label->hwnd(), GetFocus());
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
    EXPECT_EQ(2021, picker.value().year);
    EXPECT_EQ(3, picker.value().month);
    EXPECT_EQ(14, picker.value().day);
    key(picker.control(), VK_ESCAPE);

    click(5);
    ASSERT_TRUE(picker.visible());
    EXPECT_EQ(testing::classNameOf(picker.control()), DATETIMEPICK_CLASSA);
    SystemTime shown = picker.value();
    EXPECT_EQ(2005, shown.year);
    EXPECT_EQ(1, shown.month);
    EXPECT_EQ(1, shown.day);
    EXPECT_EQ(13, shown.hour);
    EXPECT_EQ(5, shown.minute);
    // The user sets 14:30; Return writes that time in the user's time format.
    SYSTEMTIME picked{2005, 1, 0, 1, 14, 30, 0, 0};
    SendMessageA(picker.control(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked));
    key(picker.control(), VK_RETURN);
    EXPECT_FALSE(picker.visible());
    EXPECT_EQ(timeToStr({2005, 1, 1, 14, 30, 0, 0}, formats), value("Time"));

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
    GetWindowRect(label->hwnd(), &own);
    POINT below = belowAnchor(7);
    Point expected = folderBrowserPosition(
        {below.x, below.y}, {dialogAt.right - dialogAt.left, dialogAt.bottom - dialogAt.top},
        screen, own.bottom - own.top);
    EXPECT_EQ(expected.x, dialogAt.left);
    EXPECT_EQ(expected.y, dialogAt.top);
}

void putOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

TEST_F(ParamLabelClassesTest, MaskEditorTakesKeysAndPastesThroughItsMask) {
    click(8);
    ASSERT_TRUE(label->maskEdit_);
    TPopupMaskEdit& mask = *label->maskEdit_;
    HWND edit = mask.editWindow();
    ASSERT_TRUE(mask.visible());
    auto type = [&](wchar_t c) { SendMessageW(edit, WM_CHAR, c, 1); };
    auto caret = [&] {
        DWORD start = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        return start;
    };
    EXPECT_EQ("AB-123", mask.text());
    type(L'1'); // no letter: refused, the selection stays
    EXPECT_EQ("AB-123", mask.text());
    type(L'c');
    type(L'd');
    EXPECT_EQ("cd-___", mask.text());
    EXPECT_EQ(3u, caret()); // over the literal
    type(L'4');
    type(VK_BACK);
    type(VK_BACK);
    EXPECT_EQ("c_-___", mask.text());
    EXPECT_EQ(1u, caret());
    testing::saveScreenshot(GetDesktopWindow(), "label_mask_edit_open");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    key(edit, VK_DELETE);
    EXPECT_EQ("__-___", mask.text());
    putOnClipboard(edit, L"XY 7a89");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    type(0x16); // Ctrl+V
    EXPECT_EQ("XY-789", mask.text());
    key(edit, VK_RETURN);
    EXPECT_EQ("XY-789", value("Mask"));

    // With EditAutoSize the editor widens to a text wider than the anchor.
    label->setHTMLText({"<a href=\"Long\" class=\"MASK\" props=\"0000000000000\">1</a>"});
    label->editOptions().EditAutoSize = true;
    UpdateWindow(label->hwnd());
    click(1);
    RECT r;
    GetWindowRect(mask.hwnd(), &r);
    EXPECT_GT(r.right - r.left, textEditorWidth(label->anchorRectOf(1)->width()));
}

// Every way an editor's edit can end, for each editor beyond the plain text one (that one
// too, as the measure): what is committed, the events raised, whether the editor is hidden
// and where the focus is. The anchor is followed by a TOGGLE anchor, so that the advance
// step after Return shows as that anchor's change.
TEST_F(ParamLabelClassesTest, EditsEndByReturnEscapeFocusLossAndDeactivationAsEachEditorSays) {
    enum class Ending { Return, Escape, FocusLoss, Deactivation, ContextMenu };
    enum class Focus { Label, Editor, Elsewhere };
    struct Outcome {
        bool commits, advances, hidden;
        Focus focus;
    };
    auto usual = [](Ending ending) {
        switch (ending) {
        case Ending::Return:
            return Outcome{true, true, true, Focus::Label};
        case Ending::Escape:
            return Outcome{false, false, true, Focus::Label};
        case Ending::FocusLoss:
        case Ending::Deactivation:
            // Activating another window takes the focus too, and that commits.
            return Outcome{true, false, true, Focus::Elsewhere};
        case Ending::ContextMenu:
            break;
        }
        // While the editor's own context menu is up, a deactivation leaves it open.
        return Outcome{false, false, false, Focus::Editor};
    };
    DateTimeFormats formats = label->dateTimeFormats();
    const std::string date = dateToStr({2021, 3, 14, 0, 0, 0, 0}, formats);
    const std::string picked = dateToStr({2021, 3, 2, 0, 0, 0, 0}, formats);
    struct Subject {
        const char* name;
        std::string anchor;
        std::function<void(PopupEditor&)> edit;
        std::string edited;
        bool hasContextMenu;
    };
    auto typed = [](const char* text) {
        return [text](PopupEditor& editor) {
            for (const char* c = text; *c != 0; ++c)
                SendMessageW(editor.control(), WM_CHAR, static_cast<WPARAM>(*c), 1);
        };
    };
    auto keys = [this](WPARAM vk, int times) {
        return [this, vk, times](PopupEditor& editor) {
            for (int i = 0; i < times; ++i)
                key(editor.control(), vk);
        };
    };
    const Subject subjects[] = {
        {"EDIT", "class=\"EDIT\">old", typed("new"), "new", true},
        {"SPIN", "class=\"SPIN\">41", keys(VK_UP, 2), "43", true},
        {"MASK", "class=\"MASK\" props=\"LL-000\">AB-123", typed("CD456"), "CD-456", true},
        {"DATE", "class=\"DATE\">" + date,
         [](PopupEditor& editor) {
             SYSTEMTIME day{2021, 3, 0, 2, 0, 0, 0, 0};
             SendMessageA(editor.control(), DTM_SETSYSTEMTIME, GDT_VALID,
                          reinterpret_cast<LPARAM>(&day));
         },
         picked, false},
        {"LIST", "class=\"LIST\" props=\"alpha|beta|gamma\">beta", keys(VK_DOWN, 1), "gamma",
         false},
        // Nothing that may be committed: a required place blanked, no item selected.
        {"MASK unfit", "class=\"MASK\" props=\"LL-000\">AB-123", typed("\b"), "", true},
        {"LIST unselected", "class=\"LIST\" props=\"alpha|beta|gamma\">beta",
         [](PopupEditor& editor) { SendMessageA(editor.control(), LB_SETCURSEL, WPARAM(-1), 0); },
         "", false},
    };
    struct Row {
        std::size_t subject;
        Ending ending;
        Outcome outcome;
    };
    std::vector<Row> rows;
    for (std::size_t s = 0; s < 5; ++s)
        for (Ending e : {Ending::Return, Ending::Escape, Ending::FocusLoss, Ending::Deactivation,
                         Ending::ContextMenu})
            if (e != Ending::ContextMenu || subjects[s].hasContextMenu)
                rows.push_back({s, e, usual(e)});
    // The unfit mask stays open on Return and closes uncommitted on a focus loss; Return on a
    // list without a selection closes it and still moves on.
    rows.push_back({5, Ending::Return, {false, false, false, Focus::Editor}});
    rows.push_back({5, Ending::FocusLoss, {false, false, true, Focus::Elsewhere}});
    rows.push_back({6, Ending::Return, {false, true, true, Focus::Label}});
    rows.push_back({6, Ending::FocusLoss, {false, false, true, Focus::Elsewhere}});

    label->editOptions().AdvanceOnReturn = true;
    std::vector<std::string> done;
    label->events().OnParamEditDone = [&](TParamLabel*, const std::string& h, std::string& v) {
        done.push_back(h + "=" + v);
    };
    const ScopedWindow other(testing::createHostWindow(Rect{600, 60, 700, 160}));
    const char* endings[] = {"Return", "Escape", "focus loss", "deactivation", "context menu"};
    for (const Row& row : rows) {
        const Subject& subject = subjects[row.subject];
        const std::string what =
            std::string(subject.name) + " / " + endings[static_cast<int>(row.ending)];
        const std::string before = subject.anchor.substr(subject.anchor.rfind('>') + 1);
        label->setHTMLText({"<a href=\"P\" " + subject.anchor +
                            "</a> <a href=\"Next\" class=\"TOGGLE\" props=\"on|off\">on</a>"});
        SetForegroundWindow(host.get());
        UpdateWindow(label->hwnd());
        done.clear();
        click(1);
        PopupEditor* editor = openEditor();
        ASSERT_NE(nullptr, editor) << what;
        subject.edit(*editor);
        bool openDuringMenu = false;
        switch (row.ending) {
        case Ending::Return:
            key(editor->control(), VK_RETURN, '\r');
            break;
        case Ending::Escape:
            key(editor->control(), VK_ESCAPE, 0x1B);
            break;
        case Ending::FocusLoss:
            SetFocus(host.get());
            break;
        case Ending::Deactivation:
            SetForegroundWindow(other.get());
            SetActiveWindow(other.get());
            break;
        case Ending::ContextMenu:
            duringModalLoop([&] {
                HWND menu = FindWindowA("#32768", nullptr);
                if (menu == nullptr || !IsWindowVisible(menu)) return false;
                SendMessageA(editor->hwnd(), WM_ACTIVATE, WA_INACTIVE,
                             reinterpret_cast<LPARAM>(other.get()));
                openDuringMenu = editor->visible();
                PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                return true;
            });
            SendMessageA(editor->control(), WM_CONTEXTMENU,
                         reinterpret_cast<WPARAM>(editor->control()), MAKELPARAM(-1, -1));
            EXPECT_TRUE(openDuringMenu) << what;
            break;
        }
        testing::pumpMessages();
        const Outcome& expected = row.outcome;
        std::vector<std::string> events;
        if (expected.commits) events.push_back("P=" + subject.edited);
        if (expected.advances) events.push_back("Next=off");
        EXPECT_EQ(events, done) << what;
        EXPECT_EQ(expected.commits ? subject.edited : before, value("P")) << what;
        EXPECT_EQ(expected.advances ? "off" : "on", value("Next")) << what;
        EXPECT_EQ(expected.hidden, !editor->visible()) << what;
        HWND focus = GetFocus();
        Focus where = focus == label->hwnd()       ? Focus::Label
                      : focus == editor->control() ? Focus::Editor
                                                   : Focus::Elsewhere;
        EXPECT_EQ(static_cast<int>(expected.focus), static_cast<int>(where)) << what;
        if (editor->visible()) {
            key(editor->control(), VK_ESCAPE);
        } else {
            // A closed editor commits nothing more when the focus moves on.
            SetFocus(focus == label->hwnd() ? host.get() : label->hwnd());
            testing::pumpMessages();
            EXPECT_EQ(events, done) << what << ", then the focus moved";
        }
    }
}

} // namespace
} // namespace remvana
