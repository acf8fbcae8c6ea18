// The program list's chosen columns in the real window: the header's menu adds a column
// whose cells show the programs' values, the choice is there again after a restart, and a
// click on the new column sorts it by what its cells mean.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_view_probe.h"
#include "machine_keys.h"
#include "menu_answerer.h"
#include "window_fixture.h"

namespace remvana::testing {
namespace {

constexpr const char* kSettingsPath = "SOFTWARE\\Kelvane\\Remvana";

struct Program {
    const char* key;
    const char* name;
    const char* version;
};
// In name order; by version they go 1.9, 1.10, 2.0, 2.0 beta.
constexpr Program kPrograms[] = {
    {"ColsA", "Cols Alpha", "2.0 beta"},
    {"ColsB", "Cols Beta", "1.10"},
    {"ColsC", "Cols Gamma", "1.9"},
    {"ColsD", "Cols Delta", "2.0"},
};

std::string headerCaption(HWND header, int item) {
    char text[64] = {};
    HDITEMA data{};
    data.mask = HDI_TEXT;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&data));
    return text;
}

int headerCount(HWND header) {
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

void rightClickHeader(HWND header, int item) {
    RECT rect{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(header, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageA(header, WM_RBUTTONUP, 0, at);
}

class ListColumnsWindow : public MainWindowFixture {
  protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
        for (const Program& p : kPrograms) {
            const std::string key = kUninstallStore + p.key;
            ASSERT_TRUE(setMachineString(key, "DisplayName", p.name));
            ASSERT_TRUE(setMachineString(key, "DisplayVersion", p.version));
        }
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        for (const Program& p : kPrograms)
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kUninstallStore + p.key).c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
    }

    // The cells of the list's column `column` for each seeded program, top row first.
    std::vector<std::string> versionsShown(int column) {
        std::vector<std::string> versions;
        const std::vector<std::string> names =
            listColumnTexts(controlOf(form(), layout::kListViewId), 0);
        const std::vector<std::string> cells =
            listColumnTexts(controlOf(form(), layout::kListViewId), column);
        for (std::size_t i = 0; i < names.size() && i < cells.size(); ++i)
            if (names[i].rfind("Cols ", 0) == 0) versions.push_back(cells[i]);
        return versions;
    }
};

TEST_F(ListColumnsWindow, TheHeaderMenuAddsAColumnThatStaysAfterARestartAndSorts) {
    openWindow();
    HWND header = listHeader(controlOf(form(), layout::kListViewId));
    ASSERT_EQ(4, headerCount(header));
    {
        MenuAnswerer answer("Version");
        rightClickHeader(header, 1);
        const std::vector<MenuAnswerer::Item>& items = answer.items();
        ASSERT_EQ(8u, items.size());
        EXPECT_EQ("Application Name", items[0].caption);
        EXPECT_TRUE(items[0].checked);
        EXPECT_TRUE(items[0].grayed); // cannot be hidden
        EXPECT_EQ("Version", items[5].caption);
        EXPECT_FALSE(items[5].checked);
        EXPECT_FALSE(items[5].grayed);
    }
    pumpMessages(100);
    ASSERT_EQ(5, headerCount(header));
    EXPECT_EQ("Version", headerCaption(header, 4));
    // The new fifth column shows each program's version.
    EXPECT_EQ((std::vector<std::string>{"2.0 beta", "1.10", "2.0", "1.9"}), versionsShown(4));

    closeWindow();
    openWindow();
    header = listHeader(controlOf(form(), layout::kListViewId));
    ASSERT_EQ(5, headerCount(header));
    EXPECT_EQ("Version", headerCaption(header, 4));
    clickListHeader(controlOf(form(), layout::kListViewId), 4);
    EXPECT_EQ((std::vector<std::string>{"1.9", "1.10", "2.0", "2.0 beta"}), versionsShown(4));
}

} // namespace
} // namespace remvana::testing
