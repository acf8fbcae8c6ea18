// The window at another display scale. At 144 DPI (150 %) the prefix's LogPixels is set for
// one child run of this suite and put back once it is done: the rest runs at 96. Wine has no
// occasion to send WM_DPICHANGED (one scale for every display); it is sent here as Windows
// sends it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/layout.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"
#include "window_fixture.h"

namespace remvana::testing {
namespace {

constexpr const char* kCaptions[] = {"Atlas Photo Studio 2024", "Quill Notes Pro"};

int imageSizeOf(HIMAGELIST images) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    return cx == cy ? cx : -1;
}

int fontHeightOf(HWND control) {
    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    return handle && GetObjectA(handle, sizeof font, &font) ? font.lfHeight : 0;
}

Rect at(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// The controls where 144 DPI puts them: the figures of 96 times 1.5, as MulDiv rounds.
void expectLaidOutAt144(T_mainForm& form) {
    EXPECT_EQ(at(6, 9, 171, 33), placeOf(form.RemoveAdvToolButton));
    EXPECT_EQ(50, placeOf(form.TopAdvPanel).height());
    EXPECT_EQ(29, placeOf(form.AdvOfficeStatusBar).height());
    EXPECT_EQ(3, placeOf(form.Splitter).width());
    // The list pane keeps 461 (307 at 96) pixels less than the window's width.
    EXPECT_EQ(windowRectOf(form.hwnd()).width() - 461, placeOf(form.LeftPanel).width());
    EXPECT_EQ(at(5, 5, placeOf(form.LeftPanel).width() - 10, 29), placeOf(form.FilterEdit));
    EXPECT_EQ(39, placeOf(form.AdvListView).top);
    EXPECT_EQ((Point{11, 44}),
              (Point{placeOf(form.ParamLabel).left, placeOf(form.ParamLabel).top}));
    int rights[2] = {};
    SendMessageA(form.AdvOfficeStatusBar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(rights));
    EXPECT_EQ(150, rights[0]);
    EXPECT_EQ(48, imageSizeOf(form.SmallImageList));
    EXPECT_EQ(24, imageSizeOf(form.LabelImageList));
    EXPECT_EQ(-17, fontHeightOf(form.AdvListView));
    // The link fits its text in the larger font: taller than its 13 pixels at 96.
    EXPECT_GE(placeOf(form.SiteLabel).height(), 19);
    for (HWND link : {form.SiteLabel, form.SuggestLabel, form.MailToLabel})
        EXPECT_LE(placeOf(link).right, placeOf(form.RightAdvPanel).width()) << windowText(link);
}

using DisplayScale = MainWindowFixture;

TEST_F(DisplayScale, DpiChangedTakesTheSuggestedRectangleAndLaysTheWindowOutAgain) {
    openWindow();
    ASSERT_EQ(96, layoutDpi(window()));
    const HIMAGELIST rowImages = form().SmallImageList;
    RECT suggested{5, 30, 5 + 1270, 30 + 900}; // no narrower than the 1268 of 144
    SendMessageA(window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    pumpMessages(50);
    EXPECT_EQ(toRect(suggested), windowRectOf(window()));
    EXPECT_NE(rowImages, form().SmallImageList);
    expectLaidOutAt144(form());

    // And back: the window at 96 is the one it was.
    RECT back{5, 30, 5 + layout::kWindowWidth, 30 + layout::kWindowHeight};
    SendMessageA(window(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    pumpMessages(50);
    EXPECT_EQ(at(4, 6, 114, 22), placeOf(form().RemoveAdvToolButton));
    EXPECT_EQ(-11, fontHeightOf(form().AdvListView));
}

// Runs only in the child process the next test starts at 144 DPI (which also removes the
// entries).
TEST_F(DisplayScale, DISABLED_WindowAt144Dpi) {
    ASSERT_EQ(144, systemDpi());
    for (const char* caption : kCaptions) {
        const std::string key = kUninstallStore + "RemvanaScale " + caption;
        ASSERT_TRUE(setMachineString(key, "DisplayName", caption));
        ASSERT_TRUE(setMachineString(key, "UninstallString", "C:\\x\\uninst.exe"));
        // The suite's own icon, the program's, which has a 48-pixel image.
        ASSERT_TRUE(setMachineString(key, "DisplayIcon", ownFolder() + "wine_tests.exe,0"));
    }
    openWindow();
    EXPECT_EQ(144, windowDpi(window()));
    expectLaidOutAt144(form());
    selectRow(kCaptions[1]);
    EXPECT_GT(listItemImage(form().AdvListView, listRowOf(form().AdvListView, kCaptions[1])), 0);
    EXPECT_FALSE(saveScreenshot(window(), "main_window_144dpi").empty());
}

TEST(DisplayScaleAt144, TheRealWindowIsLaidOutForTheScale) {
    std::string command = "\"";
    command += ownFolder() + "wine_tests.exe\" --gtest_also_run_disabled_tests "
                             "--gtest_filter=DisplayScale.DISABLED_WindowAt144Dpi";
    DWORD exitCode = 1;
    std::string log;
    // The child reads the DPI as it starts; the value is put back once the child is done.
    const char* desktop = "Control Panel\\Desktop";
    const DWORD dpi = 144;
    DWORD saved = 0, size = sizeof saved;
    const bool had = RegGetValueA(HKEY_CURRENT_USER, desktop, "LogPixels", RRF_RT_REG_DWORD,
                                  nullptr, &saved, &size) == ERROR_SUCCESS;
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD,
                                             &dpi, sizeof dpi));
    {
        ChildProcess child(command, ChildOutput::Captured);
        child.waitOrEnd(60000);
        exitCode = child.exitCode();
        log = child.output() + child.errors();
    }
    if (had)
        RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &saved, sizeof saved);
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels");
    for (const char* caption : kCaptions)
        deleteMachineTree(kUninstallStore + "RemvanaScale " + caption);
    // Indented, so the child's result lines are not counted as this suite's own.
    std::string report = "  ";
    for (char c : log)
        report += c == '\n' ? std::string("\n  ") : std::string(1, c);
    EXPECT_EQ(0u, exitCode) << report;
    EXPECT_NE(std::string::npos, report.find("[  PASSED  ] 1 test")) << report;
}

} // namespace
} // namespace remvana::testing
