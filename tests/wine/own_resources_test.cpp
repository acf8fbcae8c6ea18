// The program's own resources as the system loads them: the version block through the
// reader, the string table through LoadStringA.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/locale_win32.h"
#include "settings/settings_store.h"
#include "settings/win32/string_table_win32.h"
#include "settings/win32/version_info_win32.h"
#include "window_fixture.h"

namespace remvana {
namespace {

TEST(OwnVersionBlock, AnswersProductAndVersions) {
    Win32Locale locale;
    auto info = createVersionInfo(GetModuleHandleA(nullptr), locale);
    EXPECT_EQ("KV Remvana", info->lookup("ProductName"));
    EXPECT_EQ("KV Remvana", info->lookup("productname"));
    EXPECT_EQ("2.1.0.0", info->lookup("FileVersion"));
    EXPECT_EQ("2.1.0.0", info->lookup("ProductVersion"));
    EXPECT_THROW(info->lookup("Translation"), VersionInfoError);
}

TEST(OwnVersionBlock, ModuleWithoutOneCannotBeRead) {
    // The helper programs are built without resources.
    HMODULE helper = LoadLibraryExA((testing::ownFolder() + "record_command_line.exe").c_str(),
                                    nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, helper);
    Win32Locale locale;
    try {
        createVersionInfo(helper, locale);
        ADD_FAILURE() << "expected an error";
    } catch (const VersionInfoError& e) {
        EXPECT_STREQ("Unable to load version info resource", e.what());
    }
    FreeLibrary(helper);
}

TEST(OwnStringTable, HoldsTheLanguageNameAndTheVersionLabel) {
    Win32StringTable strings(GetModuleHandleA(nullptr));
    EXPECT_EQ("English", strings.loadString(0));
    EXPECT_EQ("Version", strings.loadString(1));
    EXPECT_EQ("", strings.loadString(7));
    // Ids beyond 16 bits would alias others in the table; they read as missing.
    EXPECT_EQ("", strings.loadString(0x10001));
    EXPECT_EQ("", strings.loadString(-1));
    EXPECT_EQ("English", LangString(strings, -1, 1));
    EXPECT_EQ("Version", LangString(strings, 5, 1));
}

} // namespace
} // namespace remvana
