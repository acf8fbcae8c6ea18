// The filter box and the health marks in the real window: typing goes to the real EDIT
// control, the list and status bar are read back through their messages, greyed rows are
// read from the screen, and the install location link goes to a recording shell.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/layout.h"
#include "details/details_markup.h"
#include "inventory/entry_health.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::string& kStore = testing::kUninstallStore;
const std::string kMissingTip =
    "The uninstaller of this program is missing: Delete Entry removes the leftover registration";

class RecordingShell : public Win32Shell {
  public:
    void openTarget(const std::string& target) override { opened.push_back(target); }
    std::vector<std::string> opened;
};

class FilterAndHealth : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        // Matched by name, by publisher and by key name; the fourth by none.
        seed("RemvanaQz Name", "Qzflt Alpha", "Acme");
        seed("RemvanaQz Publisher", "Zeta Tool", "QZFLT Inc");
        seed("RemvanaQzflt Key", "Key Tool", "Acme");
        seed("RemvanaQz Other", "Qz Other", "Acme");
        ghostFolder = testing::ownFolder() + "no-such-folder";
        set("RemvanaQz Other", "UninstallString", quoted(ghostFolder + "\\uninst.exe") + " /S");
        set("RemvanaQz Name", "UninstallString",
            quoted(testing::ownFolder() + "record_command_line.exe") + " /x");
        set("RemvanaQz Name", "InstallLocation", testing::ownFolder());
        set("RemvanaQz Publisher", "InstallLocation", quoted(markerScript()));
        DeleteFileA(marker().c_str());
        std::ofstream(markerScript()) << "echo ran > \"" << marker() << "\"\r\n";
        services.shell = &recordingShell;
        openWindow();
        edit = control(layout::kFilterEditId);
        ASSERT_NE(nullptr, edit);
        testing::pumpMessages(100); // the health checks after the fill
    }
    void TearDown() override {
        testing::MainWindowFixture::TearDown();
        DeleteFileA(markerScript().c_str());
        for (const char* key :
             {"RemvanaQz Name", "RemvanaQz Publisher", "RemvanaQzflt Key", "RemvanaQz Other"})
            testing::deleteMachineTree(kStore + key);
    }
    void set(const std::string& key, const char* name, const std::string& value) {
        ASSERT_TRUE(testing::setMachineString(kStore + key, name, value));
    }
    // A script that would leave a marker file if it ran.
    static std::string markerScript() { return testing::ownFolder() + "remvana_marker.bat"; }
    static std::string marker() { return testing::ownFolder() + "remvana_marker.txt"; }
    static std::string quoted(const std::string& path) {
        std::string text(1, '"');
        text += path;
        text += '"';
        return text;
    }
    void seed(const std::string& key, const std::string& name, const std::string& publisher) {
        set(key, "DisplayName", name);
        set(key, "Publisher", publisher);
    }
    void type(const std::string& text) {
        for (char c : text)
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
        testing::pumpMessages(10);
    }
    void key(HWND target, WPARAM virtualKey) {
        MSG msg{target, WM_KEYDOWN, virtualKey, 1, 0, {}};
        form().FormShortcut(msg);
        testing::pumpMessages(10);
    }
    HWND list() { return controlOf(form(), layout::kListViewId); }
    std::vector<std::string> rows() { return testing::listColumnTexts(list(), 0); }
    std::string count() { return form().statusText(1); }
    // Screen pixels of a row's name in the list's normal text colour and in grey.
    std::pair<int, int> namePixels(const std::string& caption) {
        const int row = testing::listRowOf(list(), caption);
        EXPECT_GE(row, 0) << caption;
        ListView_EnsureVisible(list(), row, FALSE);
        UpdateWindow(list());
        RECT r{};
        ListView_GetItemRect(list(), row, &r, LVIR_LABEL);
        MapWindowPoints(list(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        HDC screen = GetDC(nullptr);
        int normal = 0, grey = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetPixel(screen, x, y);
                normal += c == RGB(0x08, 0x37, 0x72);
                grey += c == RGB(0x90, 0x90, 0x90);
            }
        ReleaseDC(nullptr, screen);
        return {normal, grey};
    }

    RecordingShell recordingShell;
    std::string ghostFolder;
    HWND edit = nullptr;
};

TEST_F(FilterAndHealth, TypingNarrowsTheListInItsOrderAndTheCountRefreshKeepsIt) {
    const int all = static_cast<int>(rows().size());
    ASSERT_EQ(std::to_string(all) + " programs available for uninstall", count());
    // Sort by name descending (two header clicks), then filter: the order stays.
    testing::clickListHeader(list(), 0);
    testing::clickListHeader(list(), 0);
    selectRow("Zeta Tool");

    type("qZfLt");
    EXPECT_EQ((std::vector<std::string>{"Zeta Tool", "Qzflt Alpha", "Key Tool"}), rows());
    EXPECT_EQ("3 of " + std::to_string(all) + " programs available for uninstall", count());
    // The selected row still matches: it stays selected with its buttons.
    EXPECT_EQ(0, ListView_GetNextItem(list(), -1, LVNI_SELECTED));
    EXPECT_TRUE(IsWindowEnabled(controlOf(form(), layout::kDeleteEntryButtonId)));

    refreshAndWait();
    EXPECT_EQ(3u, rows().size());
    EXPECT_EQ("3 of " + std::to_string(all) + " programs available for uninstall", count());

    selectRow("Zeta Tool");
    type(" inc");
    EXPECT_EQ((std::vector<std::string>{"Zeta Tool"}), rows());
    type("x"); // nothing matches: the selection goes, as after a refresh
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kDeleteEntryButtonId)));
    EXPECT_EQ(std::string(kPropertiesHeadingLine),
              TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId))->htmlLine(0));

    key(list(), VK_F3);
    EXPECT_EQ(edit, GetFocus());
    key(edit, VK_ESCAPE);
    EXPECT_EQ("", testing::windowText(edit));
    EXPECT_EQ(all, static_cast<int>(rows().size()));
    EXPECT_EQ(std::to_string(all) + " programs available for uninstall", count());
}

TEST_F(FilterAndHealth, AMissingUninstallerGreysTheRowWithATipAndAMarkInTheDetails) {
    const auto [ghostNormal, ghostGrey] = namePixels("Qz Other");
    const auto [aliveNormal, aliveGrey] = namePixels("Qzflt Alpha");
    EXPECT_GT(ghostGrey, 0);
    EXPECT_EQ(0, ghostNormal);
    EXPECT_GT(aliveNormal, 0);
    EXPECT_EQ(0, aliveGrey);

    // The mouse resting on the row brings up its tip.
    const int ghost = testing::listRowOf(list(), "Qz Other");
    RECT r{};
    ListView_GetItemRect(list(), ghost, &r, LVIR_LABEL);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT screen = at;
    ClientToScreen(list(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(list(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    testing::pumpMessages(1500);
    HWND tip = form().programs().list().tipWindow();
    EXPECT_TRUE(IsWindowVisible(tip));
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = list();
    tool.uId = reinterpret_cast<UINT_PTR>(list());
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    // Wine's TTM_GETTEXTA hands back at most 80 characters of a tip; the list's own text is
    // the whole one.
    EXPECT_EQ(0u, kMissingTip.find(text));
    EXPECT_GE(std::string(text).size(), 80u);
    EXPECT_EQ(kMissingTip, form().programs().list().tipText());
    SetCursorPos(0, 0);

    type("o"); // a filter leaves greyed rows grey
    EXPECT_GT(namePixels("Qz Other").second, 0);
    testing::saveScreenshot(window(), "filter-greyed-row");
    selectRow("Qz Other");
    EXPECT_NE(std::string::npos, TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId))
                                     ->htmlLine(0)
                                     .find(kMissingTip));
    testing::saveScreenshot(window(), "filter-health-details");
}

TEST_F(FilterAndHealth, TheInstallLocationLinkOpensTheFolderThroughTheShell) {
    selectRow("Qzflt Alpha");
    TParamLabel* label = TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId));
    const int number = ParamAnchorIndex(label->markupText(), "InstallLocation") + 1;
    const std::optional<Rect> r = label->anchorRectOf(number);
    ASSERT_TRUE(r.has_value());
    const LPARAM at = MAKELPARAM((r->left + r->right) / 2, (r->top + r->bottom) / 2);
    SendMessageA(label->hwnd(), WM_MOUSEMOVE, 0, at);
    SendMessageA(label->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(label->hwnd(), WM_LBUTTONUP, 0, at);
    testing::pumpMessages(10);
    EXPECT_EQ(std::vector<std::string>{testing::ownFolder()}, recordingShell.opened);
}

// Opening a file runs it: an install location naming one is shown as text, and even a
// click sent straight to the handler opens nothing.
TEST_F(FilterAndHealth, AnInstallLocationNamingABatchFileIsNoLinkAndDoesNotRun) {
    selectRow("Zeta Tool");
    TParamLabel* label = TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId));
    EXPECT_EQ(-1, ParamAnchorIndex(label->markupText(), "InstallLocation"));
    EXPECT_NE(std::string::npos, label->htmlLine(0).find("remvana_marker.bat"));
    std::string value;
    form().ParamLabelParamClick(controlOf(form(), layout::kParamLabelId), "InstallLocation", value);
    testing::pumpMessages(10);
    EXPECT_TRUE(recordingShell.opened.empty());
    Win32Shell real;
    EXPECT_FALSE(installLocationFolder(quoted(markerScript()), real).has_value());
    Sleep(500);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(marker().c_str()));
}

} // namespace
} // namespace remvana
