// The program list in the real window over the real registry: two dozen seeded uninstall
// entries with real icons (Wine's own programs and an icon file written here), read back
// through the list view's messages; header clicks and selection events arrive through the
// window's own notification path.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "app/layout.h"
#include "icon_file.h"
#include "inventory/app_info.h"
#include "inventory/refresh.h"
#include "list_view_probe.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "window_fixture.h"

namespace remvana::testing {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";

void setValue(const std::string& path, const char* name, DWORD type, const void* data,
              std::size_t size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    RegCloseKey(key);
}

void setText(const std::string& path, const char* name, const std::string& text) {
    setValue(path, name, REG_SZ, text.c_str(), text.size() + 1);
}

std::vector<std::uint8_t> usageRecord(std::int64_t size, std::int64_t lastUsed, std::int32_t times,
                                      std::int32_t hasName, const std::string& path) {
    std::vector<std::uint8_t> bytes(552, 0);
    auto put = [&](std::size_t offset, std::uint64_t value, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, 552, 4);
    put(4, static_cast<std::uint32_t>(hasName), 4);
    put(8, static_cast<std::uint64_t>(size), 8);
    put(16, static_cast<std::uint64_t>(lastUsed), 8);
    put(24, static_cast<std::uint32_t>(times), 4);
    for (std::size_t i = 0; i < path.size(); ++i)
        put(28 + 2 * i, static_cast<unsigned char>(path[i]), 2);
    return bytes;
}

std::string systemDir() {
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

struct SeenRow {
    std::string name, size, lastUsed, frequency;
    int image = -1;
};

// 2007-03-05 14:07 UTC as a FILETIME.
constexpr std::int64_t kMarch2007 = (1'173'103'620LL + 11'644'473'600LL) * 10'000'000LL;

class ProgramListWindow : public MainWindowFixture {
  protected:
    void SetUp() override {
        tag = "RemvanaList" + std::to_string(GetCurrentProcessId()) + "-";
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        iconFile = std::string(temp) + tag + "green.ico";
        ASSERT_TRUE(writeIconFile(iconFile, 0xFF20A040));
        const std::string sys = systemDir();
        notepad = sys + "\\notepad.exe";

        // Names chosen so that the locale order and the byte order differ.
        const char* names[] = {"alpha Editor",  "Beta Mail",      "charlie Player", "Delta Backup",
                               "echo Terminal", "Foxtrot Office", "golf Viewer",    "Hotel Maps",
                               "india Notes",   "Juliet Studio",  "kilo Compiler",  "Lima Browser",
                               "mike Sync",     "November Paint", "oscar Zip",      "Papa Calendar",
                               "quebec Tasks",  "Romeo Audio",    "sierra Fonts",   "Tango Chat"};
        int n = 0;
        for (const char* name : names) {
            const std::string key = tag + std::to_string(n);
            seed(key, name);
            expectedNames.push_back(name);
            // Every fourth program shows Wine's notepad icon, every fourth the icon file.
            if (n % 4 == 0) setText(kStore + key, "DisplayIcon", notepad);
            if (n % 4 == 1) setText(kStore + key, "DisplayIcon", iconFile);
            ++n;
        }
        seed(tag + "usage", "Uniform Usage");
        expectedNames.push_back("Uniform Usage");
        const auto record = usageRecord(1'234'567'890, kMarch2007, 12, 1, notepad);
        setValue(kCache + tag + "usage", "SlowInfoCache", REG_BINARY, record.data(), record.size());
        seed(tag + "small", "Victor Tiny");
        expectedNames.push_back("Victor Tiny");
        const auto small = usageRecord(2'048, 0, 2, 0, notepad);
        setValue(kCache + tag + "small", "SlowInfoCache", REG_BINARY, small.data(), small.size());
        seed(tag + "comma", "Whiskey Comma");
        expectedNames.push_back("Whiskey Comma");
        setText(kStore + tag + "comma", "DisplayIcon", "C:\\Program Files\\A, B\\app.exe");
        // No display name: no row.
        keys.push_back(tag + "orphan");
        setText(kStore + tag + "orphan", "UninstallString", "C:\\orphan\\uninst.exe");
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        for (const std::string& key : keys) {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kStore + key).c_str());
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kStore + key).c_str());
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kCache + key).c_str());
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kCache + key).c_str());
        }
        DeleteFileA(iconFile.c_str());
    }

    void seed(const std::string& key, const std::string& name) {
        keys.push_back(key);
        setText(kStore + key, "DisplayName", name);
        setText(kStore + key, "UninstallString", "C:\\Apps\\" + key + "\\uninstall.exe");
    }

    HWND list() const { return control(layout::kListViewId); }
    int rowCount() const { return listItemCount(list()); }

    // The list's rows as the control holds them, all of them, in display order.
    std::vector<SeenRow> rows() const {
        std::vector<SeenRow> seen;
        for (int i = 0; i < rowCount(); ++i)
            seen.push_back({listItemText(list(), i, 0), listItemText(list(), i, 1),
                            listItemText(list(), i, 2), listItemText(list(), i, 3),
                            listItemImage(list(), i)});
        return seen;
    }

    // Only the rows this test seeded, by name.
    std::map<std::string, SeenRow> seededRows() const {
        std::map<std::string, SeenRow> mine;
        for (const SeenRow& row : rows())
            if (std::find(expectedNames.begin(), expectedNames.end(), row.name) !=
                expectedNames.end())
                mine[row.name] = row;
        return mine;
    }

    std::string tag, iconFile, notepad;
    std::vector<std::string> keys;
    std::vector<std::string> expectedNames;
};

} // namespace

TEST_F(ProgramListWindow, FillShowsEveryNamedProgramWithIconCellsAndCount) {
    openWindow();
    const auto mine = seededRows();
    ASSERT_EQ(expectedNames.size(), mine.size());
    EXPECT_GE(rowCount(), 23);
    for (const SeenRow& row : rows())
        EXPECT_FALSE(row.name.empty());

    // Real icons were found and appended; programs showing the same file share its image.
    EXPECT_GT(mine.at("alpha Editor").image, 0);
    EXPECT_GT(mine.at("Beta Mail").image, 0);
    EXPECT_GT(mine.at("Uniform Usage").image, 0);
    EXPECT_NE(mine.at("alpha Editor").image, mine.at("Beta Mail").image);
    EXPECT_EQ(mine.at("alpha Editor").image, mine.at("echo Terminal").image);
    // No icon string, or one whose index is no number: the generic image, and the fill went on.
    EXPECT_EQ(0, mine.at("charlie Player").image);
    EXPECT_EQ(0, mine.at("Whiskey Comma").image);
    EXPECT_EQ(0, mine.at("Victor Tiny").image);
    EXPECT_TRUE(errors.empty()) << errors.front();

    const SeenRow& used = mine.at("Uniform Usage");
    EXPECT_EQ("1234.57 Mb", used.size);
    EXPECT_EQ("frequently", used.frequency);
    ASSERT_EQ(16u, used.lastUsed.size());
    EXPECT_EQ("2007-03-0", used.lastUsed.substr(0, 9));
    EXPECT_EQ("2 Kb", mine.at("Victor Tiny").size);
    EXPECT_EQ("", mine.at("Victor Tiny").lastUsed);
    EXPECT_EQ("rarely", mine.at("Victor Tiny").frequency);
    EXPECT_EQ("", mine.at("Delta Backup").size);

    // Whole list in the locale's name order.
    const auto all = rows();
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LE(lstrcmpA(all[i - 1].name.c_str(), all[i].name.c_str()), 0)
            << all[i - 1].name << " / " << all[i].name;

    EXPECT_EQ(std::to_string(rowCount()) + " programs available for uninstall",
              form().statusText(1));
    saveScreenshot(window(), "program_list_filled");
}

TEST_F(ProgramListWindow, RefreshButtonRebuildsWithoutPilingUpImages) {
    openWindow();
    const int images = ImageList_GetImageCount(form().programs().rowImages());
    const int rowsBefore = rowCount();
    ASSERT_GT(images, 1);
    for (int refresh = 0; refresh < 3; ++refresh) {
        refreshAndWait();
        EXPECT_EQ(rowsBefore, rowCount());
        EXPECT_EQ(images, ImageList_GetImageCount(form().programs().rowImages()));
        // The rows draw from the window's image list, whichever copy it is now.
        EXPECT_EQ(form().programs().rowImages(), reinterpret_cast<HIMAGELIST>(SendMessageA(
                                                     list(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)));
        // Emptying and filling the list hides and shows its scroll bar, which resizes its
        // client area and so gives the name column the full remainder again; the fill
        // narrows it by 15 after that.
        RECT client{};
        GetClientRect(list(), &client);
        EXPECT_EQ(client.right - 240 - 15,
                  static_cast<int>(SendMessageA(list(), LVM_GETCOLUMNWIDTH, 0, 0)));
    }
    // A new program appears after the next refresh.
    seed(tag + "new", "Xray New");
    refreshAndWait();
    EXPECT_EQ(rowsBefore + 1, rowCount());
    expectedNames.push_back("Xray New");
    EXPECT_EQ(1u, seededRows().count("Xray New"));
}

// A Size cell's bytes, near enough to order them ("977 Kb", "1.23 Mb"); -1 when empty.
double bytesOf(const std::string& size) {
    if (size.empty()) return -1;
    const double number = std::atof(size.c_str());
    if (size.find(" Mb") != std::string::npos) return number * 1e6;
    return size.find(" Kb") != std::string::npos ? number * 1024 : number;
}

// Sizes in order by magnitude, the empty cells after all the others.
void expectSizesInOrder(const std::vector<std::string>& sizes, bool descending) {
    for (std::size_t i = 1; i < sizes.size(); ++i) {
        const double before = bytesOf(sizes[i - 1]), after = bytesOf(sizes[i]);
        if (after < 0) continue;
        EXPECT_GE(before, 0) << "an empty cell before a size, at " << i;
        if (descending)
            EXPECT_GE(before, after) << i;
        else
            EXPECT_LE(before, after) << i;
    }
}

TEST_F(ProgramListWindow, HeaderClicksSortByWhatCellsMeanAndARefreshReturnsToNameOrder) {
    openWindow();
    const auto sizes = [&] {
        std::vector<std::string> texts;
        for (const auto& row : rows())
            texts.push_back(row.size);
        return texts;
    };
    clickListHeader(list(), 1); // Size, ascending by bytes
    expectSizesInOrder(sizes(), false);
    clickListHeader(list(), 1); // reversed, the empty cells still last
    expectSizesInOrder(sizes(), true);
    auto all = rows();
    clickListHeader(list(), 0); // names, descending (the direction carried over), as bytes
    all = rows();
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_GE(all[i - 1].name.compare(all[i].name), 0) << i;

    refreshAndWait();
    all = rows();
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LE(lstrcmpA(all[i - 1].name.c_str(), all[i].name.c_str()), 0) << i;
    EXPECT_EQ(0, form().programs().list().sortState().markedColumn);
    saveScreenshot(window(), "program_list_after_sort_and_refresh");
}

TEST_F(ProgramListWindow, SelectionEventsArriveLoserFirstWithTheRowsEntry) {
    openWindow();
    std::vector<std::pair<std::string, bool>> events;
    auto bound = form().programs().list().OnSelectItem;
    form().programs().list().OnSelectItem = [&](TAdvListView& sender, int item, bool selected) {
        const TAppInfo* info = form().rowAppInfo(item);
        events.emplace_back(info ? info->DisplayName : "?", selected);
        bound(sender, item, selected);
    };
    const int first = 0;
    const int third = 2;
    const std::string firstName = listItemText(list(), first, 0);
    const std::string thirdName = listItemText(list(), third, 0);
    form().programs().list().selectRow(first);
    SetFocus(list());
    SendMessageA(list(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(list(), WM_KEYDOWN, VK_DOWN, 0);
    pumpMessages();
    const std::string secondName = listItemText(list(), 1, 0);
    using Events = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ((Events{{firstName, true},
                      {firstName, false},
                      {secondName, true},
                      {secondName, false},
                      {thirdName, true}}),
              events);
    ASSERT_NE(nullptr, form().selectedAppInfo());
    EXPECT_EQ(thirdName, form().selectedAppInfo()->DisplayName);
    TParamLabel* details = TParamLabel::fromHandle(control(layout::kParamLabelId));
    ASSERT_NE(nullptr, details);
    EXPECT_NE(kPropertiesHeadingLine, details->htmlLine(0));
    // A refresh leaves no row selected and the details at their bare heading.
    refreshAndWait();
    EXPECT_EQ(nullptr, form().selectedAppInfo());
    EXPECT_EQ(kPropertiesHeadingLine, details->htmlLine(0));
}

} // namespace remvana::testing
