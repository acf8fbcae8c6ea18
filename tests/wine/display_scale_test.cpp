// The window at another display scale. At 144 DPI (150 %) the prefix's LogPixels is set for
// one child run of this suite and put back once it is done: the rest runs at 96. Wine has no
// occasion to send WM_DPICHANGED (one scale for every display); it is sent here as Windows
// sends it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/scaled_layout.h"
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

// The tool bar's and the details pane's controls where their tables place them at `dpi`: a
// button anchored left at its placement, one anchored right at its placement's top and size
// and the resize rule's distance from the edge it keeps; a link at its placement's left (or
// left of it, just enough to show whole), its top there unless it follows the pane's bottom;
// the details label at the table's left and top.
void expectPlacedFromTables(T_mainForm& form, int dpi) {
    const int outerWidth = windowRectOf(form.hwnd()).width();
    std::vector<int> rightWidths;
    for (const ButtonRow& row : ToolBarPane::buttonTable())
        if (row.anchor == Anchor::Right)
            rightWidths.push_back(placedAt(*row.placement, dpi).width());
    const std::vector<int> rightLefts = rightAnchoredLefts(outerWidth, rightWidths, dpi);
    std::size_t nextRight = 0;
    for (const ButtonRow& row : ToolBarPane::buttonTable()) {
        const Rect table = placedAt(*row.placement, dpi);
        const Rect now = placeOf(controlOf(form, row.placement->id));
        const int left = row.anchor == Anchor::Left ? table.left : rightLefts[nextRight++];
        EXPECT_EQ((Rect{left, table.top, left + table.width(), table.bottom}), now)
            << row.placement->caption << " at " << dpi;
    }
    const Size pane = clientSizeOf(controlOf(form, layout::kRightPanelId));
    for (const ButtonRow& row : DetailsPane::buttonTable()) {
        const Rect table = placedAt(*row.placement, dpi);
        const int left = rightAdvPanelResize(pane, table.width(), dpi).modifyPropertiesLeft;
        EXPECT_EQ((Rect{left, table.top, left + table.width(), table.bottom}),
                  placeOf(controlOf(form, row.placement->id)))
            << row.placement->caption << " at " << dpi;
    }
    const LinkTops bottomTops = linkTopsFor(pane.cy, dpi);
    for (const DetailsPane::LinkRow& row : DetailsPane::linkTable()) {
        const Point table = placedAt(*row.placement, dpi);
        const Rect now = placeOf(controlOf(form, row.placement->id));
        const int left = row.bottomTop ? linkLeftWithin(table.x, now.width(), pane.cx) : table.x;
        const int top = row.bottomTop ? bottomTops.*row.bottomTop : table.y;
        EXPECT_EQ((Point{left, top}), (Point{now.left, now.top}))
            << row.placement->caption << " at " << dpi;
    }
    const Rect label = placeOf(controlOf(form, layout::kParamLabelId));
    const Rect table = creationLayout(dpi).paramLabel;
    EXPECT_EQ((Point{table.left, table.top}), (Point{label.left, label.top})) << dpi;
}

// The controls where 144 DPI puts them: the figures of 96 times 1.5, as MulDiv rounds.
void expectLaidOutAt144(T_mainForm& form) {
    expectPlacedFromTables(form, 144);
    EXPECT_EQ(50, placeOf(controlOf(form, layout::kTopPanelId)).height());
    EXPECT_EQ(29, placeOf(controlOf(form, layout::kStatusBarId)).height());
    EXPECT_EQ(3, placeOf(controlOf(form, layout::kSplitterId)).width());
    // The list pane keeps 461 (307 at 96) pixels less than the window's width.
    EXPECT_EQ(windowRectOf(form.hwnd()).width() - 461,
              placeOf(controlOf(form, layout::kLeftPanelId)).width());
    EXPECT_EQ(at(5, 5, placeOf(controlOf(form, layout::kLeftPanelId)).width() - 10, 29),
              placeOf(controlOf(form, layout::kFilterEditId)));
    EXPECT_EQ(39, placeOf(controlOf(form, layout::kListViewId)).top);
    int rights[2] = {};
    SendMessageA(controlOf(form, layout::kStatusBarId), SB_GETPARTS, 2,
                 reinterpret_cast<LPARAM>(rights));
    EXPECT_EQ(150, rights[0]);
    EXPECT_EQ(48, imageSizeOf(form.programs().rowImages()));
    EXPECT_EQ(24, imageSizeOf(form.details().labelImages()));
    EXPECT_EQ(-17, fontHeightOf(controlOf(form, layout::kListViewId)));
    // The link fits its text in the larger font: taller than its 13 pixels at 96.
    EXPECT_GE(placeOf(controlOf(form, layout::kSiteLabelId)).height(), 19);
}

using DisplayScale = MainWindowFixture;

TEST_F(DisplayScale, AtCreationThePanesArePlacedFromTheirTables) {
    openWindow();
    ASSERT_EQ(96, layoutDpi(window()));
    EXPECT_EQ(883, windowRectOf(window()).width());
    EXPECT_EQ(677, windowRectOf(window()).height());
    // What the rules make of the tables at the creation size.
    EXPECT_EQ(754, placeOf(controlOf(form(), layout::kSavetofileButtonId)).left);
    EXPECT_EQ(635, placeOf(controlOf(form(), layout::kRefreshButtonId)).left);
    EXPECT_EQ(576, placeOf(controlOf(form(), layout::kLeftPanelId)).width());
    EXPECT_EQ(19, placeOf(controlOf(form(), layout::kStatusBarId)).height());
    EXPECT_EQ(33, placeOf(controlOf(form(), layout::kTopPanelId)).height());
    expectPlacedFromTables(form(), 96);
}

TEST_F(DisplayScale, DpiChangedTakesTheSuggestedRectangleAndLaysTheWindowOutAgain) {
    openWindow();
    ASSERT_EQ(96, layoutDpi(window()));
    const HIMAGELIST rowImages = form().programs().rowImages();
    RECT suggested{5, 30, 5 + 1270, 30 + 900}; // no narrower than the 1268 of 144
    SendMessageA(window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    pumpMessages(50);
    EXPECT_EQ(toRect(suggested), windowRectOf(window()));
    EXPECT_NE(rowImages, form().programs().rowImages());
    expectLaidOutAt144(form());

    // And back: the window at 96 is the one it was.
    RECT back{5, 30, 5 + layout::kWindowWidth, 30 + layout::kWindowHeight};
    SendMessageA(window(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    pumpMessages(50);
    expectPlacedFromTables(form(), 96);
    EXPECT_EQ(-11, fontHeightOf(controlOf(form(), layout::kListViewId)));
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
    EXPECT_GT(listItemImage(controlOf(form(), layout::kListViewId),
                            listRowOf(controlOf(form(), layout::kListViewId), kCaptions[1])),
              0);
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
