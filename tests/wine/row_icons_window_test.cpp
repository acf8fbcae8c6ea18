// Row icons on demand in the real window: the list fetches a row's icon as it first draws
// it, and the icon it shows is the one a direct extraction of the same source gives.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <set>

#include "app/layout.h"
#include "icon_file.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "window_fixture.h"

namespace remvana::testing {
namespace {

constexpr int kPrograms = 60;

// The pixels of an icon drawn on white, 32 x 32.
std::vector<std::uint32_t> pixelsOf(const std::function<void(HDC)>& draw) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(dc);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + 32 * 32);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

class RowIconsWindow : public MainWindowFixture {
  protected:
    void SetUp() override {
        tag = "RemvanaRowIcon" + std::to_string(GetCurrentProcessId()) + "-";
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = temp;
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        // Every third program its own icon file, every third one file they share, every
        // third Wine's notepad with an icon index.
        for (int i = 0; i < kPrograms; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "Row Icon Program %02d", i);
            std::string source;
            if (i % 3 == 0) {
                source = folder + tag + std::to_string(i) + ".ico";
                ASSERT_TRUE(
                    writeIconFile(source, 0xFF000000u | (0x10204u * static_cast<unsigned>(i))));
                files.push_back(source);
            } else if (i % 3 == 1) {
                source = folder + tag + "shared.ico";
            } else {
                source = std::string(system) + "\\notepad.exe,0";
            }
            sources[name] = source;
            const std::string key = kUninstallStore + tag + std::to_string(i);
            ASSERT_TRUE(setMachineString(key, "DisplayName", name));
            ASSERT_TRUE(setMachineString(key, "DisplayIcon", source));
            keys.push_back(key);
        }
        ASSERT_TRUE(writeIconFile(folder + tag + "shared.ico", 0xFFC03020));
        files.push_back(folder + tag + "shared.ico");
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        for (const std::string& key : keys)
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str()),
                RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
        for (const std::string& file : files)
            DeleteFileA(file.c_str());
    }

    HWND list() const { return control(layout::kListViewId); }
    int images() { return ImageList_GetImageCount(form().programs().rowImages()); }

    // Scrolls the row into view and lets the list draw it.
    void showRow(int row) {
        SendMessageA(list(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        UpdateWindow(list());
        pumpMessages();
    }

    std::string tag, folder;
    std::map<std::string, std::string> sources; // caption -> DisplayIcon
    std::vector<std::string> keys, files;
};

} // namespace

TEST_F(RowIconsWindow, RowsScrolledIntoViewGetTheIconOfTheirSource) {
    openWindow();
    const int first = listRowOf(list(), "Row Icon Program 00");
    ASSERT_GE(first, 0);
    // Only the rows drawn so far brought an icon along.
    const int perPage = static_cast<int>(SendMessageA(list(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_LE(images(), 1 + perPage + 1);

    for (int i : {0, 1, 2, 30, 31, 32, 57, 58, 59}) {
        char name[64];
        std::snprintf(name, sizeof name, "Row Icon Program %02d", i);
        const int row = listRowOf(list(), name);
        ASSERT_GE(row, 0) << name;
        showRow(row);
        const int image = listItemImage(list(), row);
        ASSERT_GT(image, 0) << name;

        const std::string& source = sources[name];
        const std::size_t comma = source.rfind(',');
        const bool indexed = comma != std::string::npos && comma > source.rfind('\\');
        HICON direct = nullptr;
        ASSERT_EQ(1u, ExtractIconExA(indexed ? source.substr(0, comma).c_str() : source.c_str(), 0,
                                     &direct, nullptr, 1))
            << source;
        const auto shown = pixelsOf([&](HDC dc) {
            ImageList_Draw(form().programs().rowImages(), image, dc, 0, 0, ILD_NORMAL);
        });
        // Drawn the same way, through an image list like the window's, so only the icons differ.
        const HIMAGELIST same = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
        ImageList_AddIcon(same, direct);
        DestroyIcon(direct);
        const auto wanted =
            pixelsOf([&](HDC dc) { ImageList_Draw(same, 0, dc, 0, 0, ILD_NORMAL); });
        ImageList_Destroy(same);
        EXPECT_EQ(wanted, shown) << name << " from " << source;
    }
}

TEST_F(RowIconsWindow, ASharedSourceIsOneImageAndARefreshStartsAfresh) {
    openWindow();
    // Every row of ours drawn once, from top to bottom.
    std::set<int> sharedImages;
    for (const auto& [name, source] : sources) {
        const int row = listRowOf(list(), name);
        showRow(row);
        if (source == folder + tag + "shared.ico") sharedImages.insert(listItemImage(list(), row));
    }
    EXPECT_EQ(1u, sharedImages.size());
    EXPECT_GT(*sharedImages.begin(), 0);
    // Our sources: 20 files of their own, the shared file, notepad; plus the rows of others.
    const int afterScrolling = images();
    EXPECT_LE(afterScrolling, 1 + kPrograms / 3 + 2 + (listItemCount(list()) - kPrograms));

    refreshAndWait();
    EXPECT_LT(images(), afterScrolling);
    EXPECT_TRUE(errors.empty());
}

} // namespace remvana::testing
