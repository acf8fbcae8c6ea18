// The real window gives back every GDI and USER object it makes for a paint, a mouse move
// or a refresh: after a hundred of each, the process holds as many as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "machine_keys.h"
#include "window_fixture.h"

namespace remvana {
namespace {

struct GuiObjects {
    int gdi = 0;
    int user = 0;
};

// Wine's GetGuiResources is a stub answering 0: there the objects are counted in the handle
// tables instead. A GDI handle's low word is its slot (a zero high word stands for any
// generation); a USER handle (window, menu, icon or cursor) is (slot + 0x20) << 1.
GuiObjects countGuiObjects() {
    GuiObjects counted{static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
                       static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))};
    if (counted.gdi > 0) return counted;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        counted.gdi += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    for (UINT_PTR slot = 0; slot < 0x7FF0; ++slot) {
        const UINT_PTR handle = (slot + 0x20) << 1;
        DWORD process = 0;
        if (IsWindow(reinterpret_cast<HWND>(handle)) &&
            GetWindowThreadProcessId(reinterpret_cast<HWND>(handle), &process) &&
            process == GetCurrentProcessId())
            ++counted.user;
        counted.user += IsMenu(reinterpret_cast<HMENU>(handle)) != FALSE;
        ICONINFO icon{};
        if (GetIconInfo(reinterpret_cast<HICON>(handle), &icon)) {
            ++counted.user;
            if (icon.hbmMask) DeleteObject(icon.hbmMask);
            if (icon.hbmColor) DeleteObject(icon.hbmColor);
        }
    }
    return counted;
}

const std::string kEntryKey = "RemvanaRes Entry";

class WindowResources : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        const std::string key = testing::kUninstallStore + kEntryKey;
        ASSERT_TRUE(testing::setMachineString(key, "DisplayName", "Res Counted Suite"));
        // Its details have links and editable values for the mouse to pass over.
        ASSERT_TRUE(testing::setMachineString(key, "HelpLink", "https://help.example.com/res"));
        ASSERT_TRUE(testing::setMachineString(key, "InstallLocation", "C:\\Res"));
        openWindow();
    }
    void TearDown() override {
        testing::MainWindowFixture::TearDown();
        testing::deleteMachineTree(testing::kUninstallStore + kEntryKey);
    }

    // One mouse move of a hundred spread over a control's client area.
    static void sweep(HWND control, int step) {
        const Size size = testing::clientSizeOf(control);
        const int x = (step * 37) % (size.cx > 0 ? size.cx : 1);
        const int y = (step * 7) % (size.cy > 0 ? size.cy : 1);
        SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
};

TEST_F(WindowResources, AHundredPaintsHitTestsAndRefreshesLeaveNoObjectBehind) {
    selectRow("Res Counted Suite");
    struct Phase {
        const char* name;
        std::function<void(int step)> once;
    };
    const Phase phases[] = {
        {"paints",
         [&](int) {
             RedrawWindow(window(), nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
         }},
        {"hit tests",
         [&](int step) {
             sweep(controlOf(form(), layout::kParamLabelId), step);
             sweep(controlOf(form(), layout::kListViewId), step);
         }},
        {"refreshes", [&](int) { refreshAndWait(); }},
    };
    for (const Phase& phase : phases) {
        // The first round makes what is kept for the window's life (cached fonts, a tip).
        phase.once(0);
        testing::pumpMessages(50);
        const GuiObjects before = countGuiObjects();
        for (int step = 1; step <= 100; ++step) {
            phase.once(step);
            testing::pumpMessages();
        }
        testing::pumpMessages(50);
        const GuiObjects after = countGuiObjects();
        EXPECT_EQ(before.gdi, after.gdi) << phase.name;
        EXPECT_EQ(before.user, after.user) << phase.name;
    }
    // The count sees one object more of each kind.
    const GuiObjects before = countGuiObjects();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menu = CreateMenu();
    const GuiObjects after = countGuiObjects();
    EXPECT_EQ(before.gdi + 1, after.gdi);
    EXPECT_EQ(before.user + 1, after.user);
    DestroyMenu(menu);
    DeleteObject(brush);
}

} // namespace
} // namespace remvana
