// The real main window: its controls, its caption and version text, the language setting
// in the real registry, and where things go when the window or the splitter moves.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "app/layout.h"
#include "app/win32/link_label.h"
#include "dialog_answerer.h"
#include "platform/win32/registry_win32.h"
#include "window_fixture.h"

namespace remvana::testing {
namespace {

constexpr const char* kSettingsPath = "SOFTWARE\\Kelvane\\Remvana";

void deleteSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Kelvane");
}

void storeLanguage(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, "language", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void storeLanguageText(const std::string& text) {
    storeLanguage(REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// The stored "language" value as (type, text); type 0 when it is absent.
std::pair<DWORD, std::string> storedLanguage() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {0, ""};
    char text[64] = {};
    DWORD type = 0;
    DWORD size = sizeof text - 1;
    const LONG status =
        RegQueryValueExA(key, "language", nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::make_pair(type, std::string(text))
                                   : std::make_pair(DWORD{0}, std::string());
}

class MainWindow : public MainWindowFixture {
  protected:
    void SetUp() override { deleteSettings(); }
    void TearDown() override {
        MainWindowFixture::TearDown();
        deleteSettings();
    }
    std::string panel0() { return form().statusText(0); }
};

TEST_F(MainWindow, EveryControlIsARealChildWindowWithItsClassIdAndCaption) {
    using namespace layout;
    openWindow();
    struct Expected {
        int id;
        const char* className;
        const char* text;
        int parentId; // 0: the window itself
    };
    const Expected controls[] = {
        {kStatusBarId, "TAdvOfficeStatusBar", "", 0},
        {kMainPanelId, "TAdvPanel", "", 0},
        {kLeftAdvPanelId, "TAdvPanel", "", kMainPanelId},
        {kTopPanelId, "TAdvPanel", "", kLeftAdvPanelId},
        {kLeftPanelId, "TPanel", "", kLeftAdvPanelId},
        {kFilterEditId, "Edit", "", kLeftPanelId},
        {kSplitterId, "TSplitter", "", kLeftAdvPanelId},
        {kRightPanelId, "TAdvPanel", "", kLeftAdvPanelId},
        {kRemoveButtonId, "TAdvToolButton", "Remove", kTopPanelId},
        {kChangeButtonId, "TAdvToolButton", "Change", kTopPanelId},
        {kRepairButtonId, "TAdvToolButton", "Repair", kTopPanelId},
        {kDeleteEntryButtonId, "TAdvToolButton", "Delete Entry", kTopPanelId},
        {kRefreshButtonId, "TAdvToolButton", "Refresh", kTopPanelId},
        {kSavetofileButtonId, "TAdvToolButton", "Save to file ...", kTopPanelId},
        {kModifyPropertiesButtonId, "TAdvToolButton", "Modify Properties", kRightPanelId},
        {kStartupLabelId, "TLinkLabel", "Download Lumvex", kRightPanelId},
        {kSiteLabelId, "TLinkLabel", kSiteAddress, kRightPanelId},
        {kSuggestLabelId, "TLinkLabel", kSuggestAddress, kRightPanelId},
        {kMailToLabelId, "TLinkLabel", kMailToAddress, kRightPanelId},
    };
    for (const Expected& expected : controls) {
        HWND hwnd = control(expected.id);
        ASSERT_NE(nullptr, hwnd) << expected.id;
        EXPECT_EQ(expected.className, classNameOf(hwnd)) << expected.id;
        EXPECT_EQ(expected.text, windowText(hwnd)) << expected.id;
        HWND parent = GetParent(hwnd);
        EXPECT_EQ(expected.parentId == 0 ? window() : control(expected.parentId), parent)
            << expected.id;
        EXPECT_TRUE(IsWindowVisible(hwnd)) << expected.id;
    }
    EXPECT_EQ(control(kLeftPanelId), GetParent(control(kListViewId)));
    EXPECT_EQ(control(kRightPanelId), GetParent(control(kParamLabelId)));
}

TEST_F(MainWindow, OnlyRefreshAndSaveStartEnabled) {
    openWindow();
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kRemoveButtonId)));
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kChangeButtonId)));
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kRepairButtonId)));
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kDeleteEntryButtonId)));
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kModifyPropertiesButtonId)));
    EXPECT_TRUE(IsWindowEnabled(controlOf(form(), layout::kRefreshButtonId)));
    EXPECT_TRUE(IsWindowEnabled(controlOf(form(), layout::kSavetofileButtonId)));
}

TEST_F(MainWindow, LinkLabelsShowTheirTooltipsOnTheOtherHost) {
    using namespace layout;
    openWindow();
    EXPECT_EQ(kLumvexAddress,
              controlTooltip(form().tooltips(), controlOf(form(), layout::kStartupLabelId)));
    EXPECT_EQ(kSiteTooltip,
              controlTooltip(form().tooltips(), controlOf(form(), layout::kSiteLabelId)));
    EXPECT_EQ(kSuggestTooltip,
              controlTooltip(form().tooltips(), controlOf(form(), layout::kSuggestLabelId)));
    EXPECT_EQ(kMailToTooltip,
              controlTooltip(form().tooltips(), controlOf(form(), layout::kMailToLabelId)));
    // Labels size themselves to their text: one line of the 11-pixel font.
    for (HWND label :
         {controlOf(form(), layout::kStartupLabelId), controlOf(form(), layout::kSiteLabelId),
          controlOf(form(), layout::kMailToLabelId)}) {
        EXPECT_GT(placeOf(label).width(), 60);
        EXPECT_GE(placeOf(label).height(), 11);
        EXPECT_LE(placeOf(label).height(), 14);
    }
    EXPECT_GT(placeOf(controlOf(form(), layout::kSuggestLabelId)).width(),
              placeOf(controlOf(form(), layout::kSiteLabelId)).width());
    // Links point with the hand.
    const auto hand = reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_HAND));
    for (HWND label :
         {controlOf(form(), layout::kStartupLabelId), controlOf(form(), layout::kSiteLabelId),
          controlOf(form(), layout::kSuggestLabelId), controlOf(form(), layout::kMailToLabelId)})
        EXPECT_EQ(hand, static_cast<LONG_PTR>(GetClassLongPtrA(label, GCLP_HCURSOR)));
    EXPECT_GT(placeOf(controlOf(form(), layout::kSiteLabelId)).width(),
              placeOf(controlOf(form(), layout::kStartupLabelId)).width());
}

TEST_F(MainWindow, WithoutLanguageTheCaptionAndVersionTextShowAndNothingIsStored) {
    openWindow();
    EXPECT_EQ("KV Remvana", form().caption());
    EXPECT_EQ("Version 2.1.0.0", panel0());
    EXPECT_EQ(0u, storedLanguage().first);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, LanguageWithoutItsStringsFallsBackAndIsKept) {
    storeLanguageText("5");
    openWindow();
    EXPECT_EQ("Version 2.1.0.0", panel0());
    EXPECT_EQ(std::make_pair(DWORD{REG_SZ}, std::string("5")), storedLanguage());
}

TEST_F(MainWindow, LeadingZerosAreReadAndWrittenBackWithout) {
    storeLanguageText("007");
    openWindow();
    EXPECT_EQ(std::make_pair(DWORD{REG_SZ}, std::string("7")), storedLanguage());
    EXPECT_EQ("Version 2.1.0.0", panel0());
}

TEST_F(MainWindow, NonNumericLanguageIsDeleted) {
    storeLanguageText("klingon");
    openWindow();
    EXPECT_EQ(0u, storedLanguage().first);
    EXPECT_EQ("Version 2.1.0.0", panel0());
}

TEST_F(MainWindow, MinusOneShowsTheLanguageNameOnceThenIsDeleted) {
    storeLanguageText("-1");
    openWindow();
    EXPECT_EQ("English 2.1.0.0", panel0());
    EXPECT_EQ(0u, storedLanguage().first);
}

TEST_F(MainWindow, ALanguageOfAnotherKindIsDeletedOnceAndEnglishUsed) {
    const DWORD five = 5;
    storeLanguage(REG_DWORD, &five, sizeof five);
    openWindow();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ("Version 2.1.0.0", panel0());
    EXPECT_EQ(0u, storedLanguage().first);
}

// The real registry, except that it fails where a test says: the machine-wide hive once
// (an error while the window is created), or the settings while `failSettings` is set
// (an error at every activation).
class FailingRegistry : public Win32RegistryFactory {
  public:
    std::unique_ptr<Registry> create(RegRoot root, std::uint32_t access) override {
        if (root == RegRoot::LocalMachine && failMachineOnce.exchange(false))
            throw RegistryError::getDataFailed("DisplayName");
        if (root == RegRoot::CurrentUser && access == reg_access::AllAccess && failSettings)
            throw RegistryError::getDataFailed("language");
        return Win32RegistryFactory::create(root, access);
    }
    std::atomic<bool> failMachineOnce{false};
    std::atomic<bool> failSettings{false};
};

TEST_F(MainWindow, ErrorWhileCreatingIsShownAndTheWindowStillOpens) {
    FailingRegistry failing;
    failing.failMachineOnce = true;
    services.registry = &failing;
    openWindow();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ("Failed to get data for 'DisplayName'", errors[0]);
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_EQ("KV Remvana", form().caption());
    EXPECT_EQ("Version 2.1.0.0", panel0());
    closeWindow(); // before the registry it uses goes
}

TEST_F(MainWindow, FailingActivationShowsOneErrorBoxNotOneAfterAnother) {
    FailingRegistry failing;
    failing.failSettings = true;
    services.registry = &failing;
    recordErrors = false;
    DialogAnswerer first("Remvana", IDOK);
    // Closing the box gives the focus back to the window; should that count as a new
    // activation, the same error would come again, box after box. The watcher closes any
    // further box, and repairs the settings so that such a loop would end.
    std::atomic<int> furtherBoxes{0};
    std::thread watcher([&] {
        first.wait();
        Sleep(300);
        for (int i = 0; i < 30; ++i, Sleep(50)) {
            HWND box = FindWindowA("#32770", "Remvana");
            if (box == nullptr || !IsWindowVisible(box)) continue;
            ++furtherBoxes;
            failing.failSettings = false;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    openWindow();
    pumpMessages(100);
    watcher.join();
    ASSERT_TRUE(first.answered());
    EXPECT_EQ("Failed to get data for 'language'", first.messageText());
    EXPECT_EQ(0, furtherBoxes.load());
    EXPECT_EQ("Version 1.0", panel0());
    closeWindow(); // before the registry it uses goes
}

TEST_F(MainWindow, ComingBackFromAnotherWindowOfTheProgramActivatesAgain) {
    openWindow();
    ASSERT_EQ(0u, storedLanguage().first);
    const ScopedWindow other(CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                             50, nullptr, nullptr, GetModuleHandleA(nullptr),
                                             nullptr));
    SetActiveWindow(other.get());
    pumpMessages(20);
    storeLanguageText("007");
    SetActiveWindow(window());
    pumpMessages(20);
    EXPECT_EQ(std::make_pair(DWORD{REG_SZ}, std::string("7")), storedLanguage());
}

TEST_F(MainWindow, ResizedWindowKeepsButtonsPanesAndLinksInPlace) {
    openWindow();
    resizeWindow(1100, 760);
    const Size client = clientSizeOf(window());
    const Rect right = placeOf(controlOf(form(), layout::kRightPanelId));
    const Size pane = clientSizeOf(controlOf(form(), layout::kRightPanelId));

    EXPECT_EQ(971, placeOf(controlOf(form(), layout::kSavetofileButtonId)).left);
    EXPECT_EQ(852, placeOf(controlOf(form(), layout::kRefreshButtonId)).left);
    EXPECT_EQ(4, placeOf(controlOf(form(), layout::kRemoveButtonId)).left); // the left group stays
    EXPECT_EQ(793, placeOf(controlOf(form(), layout::kLeftPanelId)).width());
    EXPECT_EQ(793, placeOf(controlOf(form(), layout::kSplitterId)).left);
    EXPECT_EQ(795, right.left);
    EXPECT_EQ(client.cx, right.right);
    EXPECT_EQ(client.cy - 19, placeOf(controlOf(form(), layout::kStatusBarId)).top);
    EXPECT_EQ(client.cy - 19 - 33, pane.cy);
    // The list fills its pane below the filter strip, whose height stays.
    const Size listPane = clientSizeOf(controlOf(form(), layout::kLeftPanelId));
    EXPECT_EQ((Rect{0, 26, listPane.cx, listPane.cy}),
              placeOf(controlOf(form(), layout::kListViewId)));
    EXPECT_EQ((Rect{3, 3, listPane.cx - 3, 23}), placeOf(controlOf(form(), layout::kFilterEditId)));

    EXPECT_EQ(pane.cx - 7, placeOf(controlOf(form(), layout::kModifyPropertiesButtonId)).right);
    const Rect label = placeOf(controlOf(form(), layout::kParamLabelId));
    EXPECT_EQ(7, label.left);
    EXPECT_EQ(29, label.top);
    EXPECT_EQ(pane.cx - 13, label.width());
    EXPECT_EQ(pane.cy - 90, label.height());
    EXPECT_EQ(pane.cy - 46, placeOf(controlOf(form(), layout::kSiteLabelId)).top);
    EXPECT_EQ(pane.cy - 33, placeOf(controlOf(form(), layout::kSuggestLabelId)).top);
    EXPECT_EQ(pane.cy - 20, placeOf(controlOf(form(), layout::kMailToLabelId)).top);
    EXPECT_EQ(35, placeOf(controlOf(form(), layout::kSiteLabelId)).left);
    EXPECT_EQ(30, placeOf(controlOf(form(), layout::kSuggestLabelId)).left);
    EXPECT_EQ(71, placeOf(controlOf(form(), layout::kMailToLabelId)).left);
    EXPECT_EQ(20, placeOf(controlOf(form(), layout::kStartupLabelId)).left);
    EXPECT_EQ(5, placeOf(controlOf(form(), layout::kStartupLabelId)).top);
}

TEST_F(MainWindow, SplitterDragRefitsTheDetailsPaneAndTheNextResizeUndoesIt) {
    openWindow();
    HWND splitter = controlOf(form(), layout::kSplitterId);
    const int siteTop = placeOf(controlOf(form(), layout::kSiteLabelId)).top;
    // Grab the bar and release it 200 pixels further left.
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 100));
    SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-199, 100));
    EXPECT_EQ(576, placeOf(controlOf(form(), layout::kLeftPanelId))
                       .width()); // nothing moves before the release
    EXPECT_FALSE(saveScreenshot(window(), "splitter_drag", false).empty());
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(-199, 100));
    pumpMessages(10);
    EXPECT_EQ(376, placeOf(controlOf(form(), layout::kLeftPanelId)).width());
    const Size pane = clientSizeOf(controlOf(form(), layout::kRightPanelId));
    EXPECT_EQ(clientSizeOf(controlOf(form(), layout::kLeftAdvPanelId)).cx - 378, pane.cx);
    EXPECT_EQ(pane.cx - 7, placeOf(controlOf(form(), layout::kModifyPropertiesButtonId)).right);
    EXPECT_EQ(pane.cx - 13, placeOf(controlOf(form(), layout::kParamLabelId)).width());
    EXPECT_EQ(siteTop, placeOf(controlOf(form(), layout::kSiteLabelId)).top);

    // Dragged far past the left edge, the list pane keeps 30 pixels.
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 100));
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(-1000, 100));
    pumpMessages(10);
    EXPECT_EQ(30, placeOf(controlOf(form(), layout::kLeftPanelId)).width());

    resizeWindow(900, 677);
    EXPECT_EQ(900 - 307, placeOf(controlOf(form(), layout::kLeftPanelId)).width());
}

TEST_F(MainWindow, DisablingTheFocusedButtonHandsTheKeyboardOn) {
    openWindow();
    SetFocus(controlOf(form(), layout::kRefreshButtonId));
    ASSERT_EQ(controlOf(form(), layout::kRefreshButtonId), GetFocus());
    EnableWindow(controlOf(form(), layout::kRefreshButtonId), FALSE);
    EXPECT_NE(controlOf(form(), layout::kRefreshButtonId), GetFocus());
    EXPECT_NE(nullptr, GetFocus());
}

TEST_F(MainWindow, FirstShownCentredOnTheScreen) {
    openWindow();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const Rect r = windowRectOf(window());
    EXPECT_EQ(work.left + (work.right - work.left - 883) / 2, r.left);
    EXPECT_EQ(work.top + (work.bottom - work.top - 677) / 2, r.top);
}

// A few programs in the store so that the picture shows a filled list and a selection.
class MainWindowPicture : public MainWindow {
  protected:
    static constexpr const char* kStore =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    struct Program {
        const char* key;
        const char* name;
        const char* publisher;
        const char* version;
    };
    static constexpr Program kPrograms[] = {
        {"RemvanaShot Atlas", "Atlas Map Viewer", "Northwind Cartography", "4.2.1"},
        {"RemvanaShot Quill", "Quill Notes", "Featherlight Software", "1.0.7"},
        {"RemvanaShot Tempo", "Tempo Metronome", "Kelvane", "2.3"},
    };
    void SetUp() override {
        MainWindow::SetUp();
        for (const Program& p : kPrograms) {
            HKEY key = nullptr;
            const std::string path = std::string(kStore) + p.key;
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                                                     0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
            const std::pair<const char*, std::string> values[] = {
                {"DisplayName", p.name},
                {"Publisher", p.publisher},
                {"DisplayVersion", p.version},
                {"UninstallString", std::string("C:\\Program Files\\") + p.key + "\\uninst.exe"},
                {"InstallSource", "C:\\Setup\\"}};
            for (const auto& [name, value] : values)
                RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1));
            RegCloseKey(key);
        }
    }
    void TearDown() override {
        MainWindow::TearDown();
        for (const Program& p : kPrograms)
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kStore) + p.key).c_str());
    }
};

TEST_F(MainWindowPicture, ScreenshotOfTheWindow) {
    openWindow();
    // Select the second program, and show the hot look on "Refresh" as the mouse would.
    selectRow("Quill Notes");
    EXPECT_TRUE(IsWindowEnabled(controlOf(form(), layout::kRemoveButtonId)));
    SendMessageA(controlOf(form(), layout::kRefreshButtonId), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    const std::string path = saveScreenshot(window(), "main_window");
    ASSERT_FALSE(path.empty());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_GT(data.nFileSizeLow, 883u * 600u * 3u);
}

} // namespace
} // namespace remvana::testing
