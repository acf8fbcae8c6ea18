#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/clock_win32.h"
#include "platform/win32/shell_win32.h"

namespace remvana {

TEST(Win32Shell, SystemDirectoryHoldsTheShellIconLibrary) {
    Win32Shell shell;
    const std::string dir = shell.systemDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE('\\', dir.back());
    EXPECT_TRUE(shell.fileExists(dir + "\\shell32.dll"));
    // A folder is not a file.
    EXPECT_FALSE(shell.fileExists(dir));
    EXPECT_FALSE(shell.fileExists(dir + "\\no-such-file.exe"));
}

TEST(Win32Shell, ExtractsOnlyTheRequestedSizesAndFailsForMissingIcons) {
    Win32Shell shell;
    const std::string library = shell.systemDirectory() + "\\shell32.dll";
    IconHandle large = 7;
    EXPECT_EQ(1u, shell.extractIconEx(library, 2, &large, nullptr));
    EXPECT_NE(0u, large);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(large), &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), bitmap.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    shell.destroyIcon(large);

    IconHandle small = 0;
    EXPECT_EQ(1u, shell.extractIconEx(library, 2, nullptr, &small));
    EXPECT_NE(0u, small);
    shell.destroyIcon(small);

    IconHandle none = 7;
    EXPECT_NE(1u, shell.extractIconEx("C:\\no\\such\\file.exe", 0, &none, nullptr));
    EXPECT_EQ(0u, none);
}

TEST(Win32Shell, SmallShellIconAndTypeNameOfARealFile) {
    Win32Shell shell;
    const std::string notepad = shell.systemDirectory() + "\\notepad.exe";
    ASSERT_TRUE(shell.fileExists(notepad));
    const IconHandle icon = shell.smallShellIcon(notepad);
    EXPECT_NE(0u, icon);
    shell.destroyIcon(icon);
    EXPECT_FALSE(shell.fileTypeName(notepad).empty());
    EXPECT_NE("Shortcut", shell.fileTypeName(notepad));
}

TEST(Win32Shell, NamesOfTheComputerAndTheDocumentsFolder) {
    Win32Shell shell;
    const std::string name = shell.computerName();
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 15u);
    const std::string documents = shell.documentsFolder();
    ASSERT_FALSE(documents.empty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(documents.c_str()));
}

TEST(Win32Shell, LastErrorTextIsTheSystemMessageWithoutTrailingBreak) {
    Win32Shell shell;
    char raw[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_FILE_NOT_FOUND, 0, raw, sizeof raw, nullptr);
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::string text = shell.lastErrorText();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(0u, std::string(raw).find(text)) << raw;
    EXPECT_NE('\n', text.back());
    EXPECT_NE('.', text.back());
}

TEST(Win32Clock, NowIsTodayAndLocalShiftIsTheZoneBias) {
    Win32Clock clock;
    const SystemTime now = clock.now();
    SYSTEMTIME expected{};
    GetLocalTime(&expected);
    EXPECT_EQ(expected.wYear, now.year);
    EXPECT_EQ(expected.wMonth, now.month);
    EXPECT_GE(now.day, 1);

    // 2020-01-01 00:00 UTC; the local stamp differs by whole minutes, at most 14 hours.
    const std::int64_t utc = 132223104000000000LL;
    const std::int64_t shift = clock.fileTimeToLocalFileTime(utc) - utc;
    constexpr std::int64_t kMinute = 600000000LL;
    EXPECT_EQ(0, shift % kMinute);
    EXPECT_LE(std::abs(shift), 14 * 60 * kMinute);
    TIME_ZONE_INFORMATION zone{};
    const DWORD mode = GetTimeZoneInformation(&zone);
    if (mode == TIME_ZONE_ID_UNKNOWN) {
        EXPECT_EQ(-zone.Bias * kMinute, shift);
    }
}

} // namespace remvana
