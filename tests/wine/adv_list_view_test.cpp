// The program list control on its own, in a bare top-level window: columns, row order,
// header clicks through the header's own notification, selection events, the header's
// look and the update bracket, all read back through the controls' messages.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <utility>
#include <vector>

#include "list_view_probe.h"
#include "platform/win32/display_dpi.h"
#include "platform/win32/locale_win32.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {
namespace {

using namespace remvana::testing;

TAdvListView* hostedList = nullptr;

LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY && hostedList) {
        LRESULT result = 0;
        if (hostedList->handleNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

COLORREF pixelOf(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

using Texts = std::vector<std::string>;

class ListControl : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA host{};
        host.lpfnWndProc = hostProc;
        host.hInstance = GetModuleHandleA(nullptr);
        host.lpszClassName = "RemvanaListHost";
        host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&host);
        window = CreateWindowExA(0, "RemvanaListHost", "list host", WS_OVERLAPPEDWINDOW, 40, 40,
                                 640, 420, nullptr, nullptr, host.hInstance, nullptr);
        ASSERT_NE(nullptr, window);
        hostedList = &list;
        if (severalAllowed) list.allowSeveralSelected();
        ASSERT_NE(nullptr, list.create(window, 105, RECT{0, 0, 600, 380}));
        images = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 4);
        for (int index : {2, 3, 4}) {
            HICON icon = nullptr;
            ExtractIconExA("shell32.dll", index, &icon, nullptr, 1);
            ImageList_AddIcon(images, icon);
            DestroyIcon(icon);
        }
        list.setSmallImages(images);
        list.OnSelectItem = [this](TAdvListView&, int item, bool selected) {
            events.emplace_back(list.row(item).caption, selected);
        };
        list.OnColumnClick = [this](TAdvListView&, int column) { clicked.push_back(column); };
        ShowWindow(window, SW_SHOW);
        pump();
    }
    void TearDown() override {
        DestroyWindow(window);
        hostedList = nullptr;
        ImageList_Destroy(images);
        pump();
    }

    void fillSample() {
        list.BeginListUpdate();
        list.addRow("zeta", 0, 1, {"9 Kb", "2007-03-05 14:07", "rarely"});
        list.addRow("Beta", 0, 2, {"10 Kb", "2021-11-30 08:00", "frequently"});
        list.addRow("alpha", 0, 0, {"1.00 Mb", "", "occasionally"});
        list.addRow("Gamma", 0, 1, {"2 Kb"});
        list.EndListUpdate();
    }

    Win32Locale locale;
    TAdvListView list{locale};
    HWND window = nullptr;
    HIMAGELIST images = nullptr;
    std::vector<std::pair<std::string, bool>> events;
    std::vector<int> clicked;
    bool severalAllowed = false;
};

class SeveralSelectedList : public ListControl {
  protected:
    SeveralSelectedList() { severalAllowed = true; }
    // A key with Shift or Ctrl held, as the message loop hands it over.
    void pressKey(WPARAM key, BYTE modifier) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[modifier] = 0x80;
        SetKeyboardState(keys);
        SetFocus(list.handle());
        SendMessageA(list.handle(), WM_KEYDOWN, key, 1);
        SendMessageA(list.handle(), WM_KEYUP, key, 1);
        keys[modifier] = 0;
        SetKeyboardState(keys);
        pump();
    }
};

} // namespace

TEST_F(ListControl, ReportViewWithFourColumnsAndTheNameColumnFillingTheRest) {
    HWND h = list.handle();
    const LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
    EXPECT_EQ(LVS_REPORT, style & LVS_TYPEMASK);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & LVS_EDITLABELS);
    EXPECT_TRUE(SendMessageA(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);

    const char* captions[] = {"Application Name", "Size", "Last Used", "Frequency"};
    const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_RIGHT, LVCFMT_RIGHT};
    for (int i = 0; i < 4; ++i) {
        char text[64] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(h, LVM_GETCOLUMNA, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(captions[i], text);
        EXPECT_EQ(formats[i], column.fmt & LVCFMT_JUSTIFYMASK);
    }
    EXPECT_EQ(70, list.columnWidth(1));
    EXPECT_EQ(100, list.columnWidth(2));
    EXPECT_EQ(70, list.columnWidth(3));
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right - 240, list.columnWidth(0));

    // Every change of the list's size gives column 0 the remainder again.
    list.setColumnWidth(0, 50);
    MoveWindow(h, 0, 0, 500, 300, TRUE);
    GetClientRect(h, &client);
    EXPECT_EQ(client.right - 240, list.columnWidth(0));
}

TEST_F(ListControl, HeaderIsOwnerDrawnFlatDraggableAndSizedByA13PixelFont) {
    HWND header = list.header();
    ASSERT_NE(nullptr, header);
    for (int i = 0; i < 4; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_TRUE(item.fmt & HDF_OWNERDRAW) << i;
    }
    const LONG_PTR style = GetWindowLongPtrA(header, GWL_STYLE);
    EXPECT_TRUE(style & HDS_DRAGDROP); // columns can be moved; the name column stays first
    EXPECT_FALSE(style & HDS_HOTTRACK);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(13, font.lfHeight);
    RECT bar{};
    GetWindowRect(header, &bar);
    EXPECT_GE(bar.bottom - bar.top, 13);
    EXPECT_LE(bar.bottom - bar.top, 24);
}

TEST_F(ListControl, FilledRowsStandInLocaleNameOrderWithTheirCellsAndImages) {
    fillSample();
    HWND h = list.handle();
    EXPECT_EQ((Texts{"alpha", "Beta", "Gamma", "zeta"}), listColumnTexts(h, 0));
    EXPECT_EQ((Texts{"1.00 Mb", "10 Kb", "2 Kb", "9 Kb"}), listColumnTexts(h, 1));
    EXPECT_EQ((Texts{"occasionally", "frequently", "", "rarely"}), listColumnTexts(h, 3));
    std::vector<int> imageIndices;
    for (int i = 0; i < 4; ++i) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        SendMessageA(h, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        imageIndices.push_back(item.iImage);
    }
    EXPECT_EQ((std::vector<int>{0, 2, 1, 1}), imageIndices);
    // Rows are at least as tall as their 32-pixel images.
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(h, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    EXPECT_GE(row.bottom - row.top, 32);
}

TEST_F(ListControl, HeaderClicksSortAsBytesFlipAndCarryTheDirectionOver) {
    fillSample();
    HWND h = list.handle();
    clickListHeader(list.handle(), 1);
    EXPECT_EQ((Texts{"1.00 Mb", "10 Kb", "2 Kb", "9 Kb"}), listColumnTexts(h, 1));
    clickListHeader(list.handle(), 1);
    EXPECT_EQ((Texts{"9 Kb", "2 Kb", "10 Kb", "1.00 Mb"}), listColumnTexts(h, 1));
    clickListHeader(list.handle(), 2);
    EXPECT_EQ((Texts{"2021-11-30 08:00", "2007-03-05 14:07", "", ""}), listColumnTexts(h, 2));
    clickListHeader(list.handle(), 0);
    EXPECT_EQ((Texts{"zeta", "alpha", "Gamma", "Beta"}), listColumnTexts(h, 0));
    clickListHeader(list.handle(), 0);
    EXPECT_EQ((Texts{"Beta", "Gamma", "alpha", "zeta"}), listColumnTexts(h, 0));
    EXPECT_EQ((std::vector<int>{1, 1, 2, 0, 0}), clicked);

    // A refresh returns to name order; the header still marks the name column.
    list.clear();
    fillSample();
    EXPECT_EQ((Texts{"alpha", "Beta", "Gamma", "zeta"}), listColumnTexts(h, 0));
    EXPECT_EQ(0, list.sortState().markedColumn);
    clickListHeader(list.handle(), 0);
    EXPECT_EQ((Texts{"zeta", "alpha", "Gamma", "Beta"}), listColumnTexts(h, 0));
}

TEST_F(ListControl, TakingTheFocusFocusesTheFirstRowUnselectedSoThatDownSelectsIt) {
    fillSample();
    list.takeFocus();
    HWND h = list.handle();
    EXPECT_EQ(h, GetFocus());
    EXPECT_EQ(0, SendMessageA(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    EXPECT_EQ(-1, list.selectedIndex());
    SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(h, WM_KEYUP, VK_DOWN, 0);
    pump();
    EXPECT_EQ(0, list.selectedIndex());
    EXPECT_EQ((std::vector<std::pair<std::string, bool>>{{"alpha", true}}), events);
    // Down goes on from there; a focused row keeps its place when the list takes the
    // focus again.
    SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(1, list.selectedIndex());
    list.takeFocus();
    EXPECT_EQ(1, SendMessageA(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

// The control itself moves nothing for Home on a focused first row, so selects nothing.
TEST_F(ListControl, HomeSelectsTheFocusedFirstRow) {
    fillSample();
    list.takeFocus();
    SendMessageA(list.handle(), WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(list.handle(), WM_KEYUP, VK_HOME, 0);
    pump();
    EXPECT_EQ(0, list.selectedIndex());
}

TEST_F(ListControl, SelectionEventsComeLoserFirst) {
    fillSample();
    list.selectRow(1);
    list.selectRow(3);
    SetFocus(list.handle());
    SendMessageA(list.handle(), WM_KEYDOWN, VK_UP, 0);
    SendMessageA(list.handle(), WM_KEYUP, VK_UP, 0);
    pump();
    using Events = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(
        (Events{{"Beta", true}, {"Beta", false}, {"zeta", true}, {"zeta", false}, {"Gamma", true}}),
        events);
    EXPECT_EQ(2, list.selectedIndex());
    // Sorting moves the selected row, the events keep naming it right.
    events.clear();
    clickListHeader(list.handle(), 0);
    list.selectRow(0);
    EXPECT_EQ((Events{{"Gamma", false}, {"Beta", true}}), events);
    // Clearing raises nothing and leaves nothing selected.
    events.clear();
    list.clear();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(-1, list.selectedIndex());
}

// Shift+arrows and Ctrl+A select several rows, each change an event of its row; selecting
// one row again leaves it alone, and a filter that hides part of the selection drops it all.
TEST_F(SeveralSelectedList, ShiftArrowsAndCtrlASelectSeveralRows) {
    fillSample();
    EXPECT_FALSE(GetWindowLongPtrA(list.handle(), GWL_STYLE) & LVS_SINGLESEL);
    list.selectRow(0);
    pressKey(VK_DOWN, VK_SHIFT);
    EXPECT_EQ((std::vector<int>{0, 1}), list.selectedIndices());
    pressKey('A', VK_CONTROL);
    EXPECT_EQ(4, list.selectedCount());
    events.clear();
    list.selectRow(2);
    EXPECT_EQ((std::vector<int>{2}), list.selectedIndices());
    EXPECT_EQ(3u, events.size()) << "three rows let go";
    for (const auto& event : events)
        EXPECT_FALSE(event.second) << event.first;

    pressKey('A', VK_CONTROL);
    events.clear();
    EXPECT_TRUE(list.setRowFilter([](const ListRow& row) { return row.caption != "Beta"; }));
    EXPECT_EQ(0, list.selectedCount());
    EXPECT_TRUE(events.empty()) << "a filter raises no selection event";
}

TEST_F(ListControl, UpdateBracketsNestAndHoldTheHeadersRedraw) {
    HWND header = list.header();
    list.BeginListUpdate();
    list.BeginListUpdate();
    EXPECT_FALSE(IsWindowVisible(header));
    list.addRow("b", 0, 0, {});
    list.addRow("a", 0, 0, {});
    list.EndListUpdate();
    EXPECT_FALSE(IsWindowVisible(header));
    EXPECT_EQ((Texts{"b", "a"}), listColumnTexts(list.handle(), 0));
    list.EndListUpdate();
    EXPECT_TRUE(IsWindowVisible(header));
    EXPECT_EQ((Texts{"a", "b"}), listColumnTexts(list.handle(), 0));
    list.EndListUpdate(); // unbalanced: ignored
    EXPECT_EQ(0, list.updateDepth());
    // Outside a bracket each new name goes to its place at once.
    list.addRow("0", 0, 0, {});
    EXPECT_EQ("0", listItemText(list.handle(), 0, 0));
    list.setCaption(0, "c");
    EXPECT_EQ((Texts{"a", "b", "c"}), listColumnTexts(list.handle(), 0));
}

TEST_F(ListControl, HeaderPaintsInItsColourWithGreyDividers) {
    fillSample();
    HWND header = list.header();
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT first{};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(RGB(0xC1, 0xDA, 0xFB), pixelOf(header, first.left + 3, first.bottom - 1));
    EXPECT_EQ(RGB(0x80, 0x80, 0x80),
              pixelOf(header, first.right - 1, (first.top + first.bottom) / 2));
    // The empty area right of the last column takes the header colour too.
    MoveWindow(list.handle(), 0, 0, 600, 300, TRUE);
    list.setColumnWidth(0, 100);
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT last{};
    SendMessageA(header, HDM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(RGB(0xC1, 0xDA, 0xFB),
              pixelOf(header, last.right + 20, (last.top + last.bottom) / 2));
}

} // namespace remvana

namespace remvana {
namespace {

// The list's fonts go with the list object (Wine's GetGuiResources counts nothing, so the
// fonts themselves are asked), and once its control is destroyed it holds no handle that
// another window could reuse.
// The list and its header take the program's fonts of their scale, which live for the
// process: a destroyed list leaves no font deleted under a control that still holds it.
TEST_F(ListControl, UsesTheFontsOfItsScaleAndForgetsADestroyedControl) {
    HGDIOBJ fonts[2] = {};
    {
        TAdvListView other(locale);
        ASSERT_NE(nullptr, other.create(window, 106, RECT{0, 0, 300, 200}));
        fonts[0] = reinterpret_cast<HGDIOBJ>(SendMessageA(other.handle(), WM_GETFONT, 0, 0));
        fonts[1] = reinterpret_cast<HGDIOBJ>(SendMessageA(other.header(), WM_GETFONT, 0, 0));
        EXPECT_EQ(fontAtDpi(kListFont, 96), fonts[0]);
        EXPECT_EQ(fontAtDpi(kHeaderHeightFont, 96), fonts[1]);
        RedrawWindow(other.handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        DestroyWindow(other.handle());
        EXPECT_EQ(nullptr, other.handle());
        EXPECT_EQ(nullptr, other.header());
    }
    for (HGDIOBJ font : fonts)
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));
}

} // namespace
} // namespace remvana
