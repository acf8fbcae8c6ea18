#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "inventory/icons.h"
#include "platform/conversion.h"

namespace remvana {

namespace {

const char* const kLibrary = "C:\\windows\\system32\\SHELL32.DLL";

class FileIcon : public ::testing::Test {
  protected:
    void SetUp() override {
        // The shell's library holds every generic icon the lookup may fall back to.
        for (int index : {0, 1, 2, 23, 69, 70, 71, 72, 73, 74, 75})
            shell.addIcon(kLibrary, index);
    }

    // Where the large icon of the icon string came from ("" when none).
    std::string largeFrom(const std::string& iconString) {
        IconHandle large = 0;
        GetFileIcon(shell, registry, iconString, &large, nullptr);
        return shell.iconSource(large);
    }

    void registerClass(const std::string& ext, const std::string& className,
                       const std::string& defaultIcon) {
        registry.setString(RegRoot::ClassesRoot, ext, "", className);
        registry.setString(RegRoot::ClassesRoot, className + "\\DefaultIcon", "", defaultIcon);
    }

    FakeShell shell;
    FakeRegistryFactory registry;
};

} // namespace

TEST(IconExtension, IsEverythingAfterTheLastDotOfTheLastPathPart) {
    EXPECT_EQ(".EXE", upperExtension("C:\\App\\app.exe"));
    EXPECT_EQ(".EXE,0", upperExtension("C:\\App\\app.exe,0"));
    EXPECT_EQ(".TXT", upperExtension("C:readme.txt"));
    EXPECT_EQ("", upperExtension("C:\\my.dir\\program"));
    EXPECT_EQ("", upperExtension("D:.dir:stream"));
    EXPECT_EQ(".GZ", upperExtension("archive.tar.gz"));
    EXPECT_EQ("", upperExtension(""));
}

TEST(IconExtension, FallbackTable) {
    EXPECT_EQ(1, fallbackIconIndex(".DOC"));
    EXPECT_EQ(2, fallbackIconIndex(".EXE"));
    EXPECT_EQ(2, fallbackIconIndex(".COM"));
    EXPECT_EQ(23, fallbackIconIndex(".HLP"));
    EXPECT_EQ(69, fallbackIconIndex(".INF"));
    EXPECT_EQ(70, fallbackIconIndex(".TXT"));
    EXPECT_EQ(71, fallbackIconIndex(".BAT"));
    EXPECT_EQ(72, fallbackIconIndex(".VXD"));
    EXPECT_EQ(75, fallbackIconIndex(".FOT"));
    EXPECT_EQ(0, fallbackIconIndex(".EXE,3"));
    EXPECT_EQ(0, fallbackIconIndex(".exe"));
    EXPECT_EQ(0, fallbackIconIndex(""));
}

TEST_F(FileIcon, ExistingProgramGivesItsFirstIconWithoutAskingTheRegistry) {
    shell.addIcon("C:\\App\\app.exe", 0);
    registerClass(".com", "comfile", "C:\\Icons\\com.dll,5");
    EXPECT_EQ("C:\\App\\app.exe,0", largeFrom("C:\\App\\app.exe"));
    EXPECT_EQ(0, registry.calls.opens);
    shell.addIcon("C:\\App\\tool.ICO", 0);
    EXPECT_EQ("C:\\App\\tool.ICO,0", largeFrom("C:\\App\\tool.ICO"));
}

TEST_F(FileIcon, MissingProgramUsesTheComClassIconOrTheGenericProgramIcon) {
    shell.addIcon("C:\\Icons\\com.dll", 5);
    registerClass(".com", "comfile", "C:\\Icons\\com.dll,5");
    // The class keys are readable but not writable: the lookup must not ask for more.
    registry.denyFullAccess(RegRoot::ClassesRoot, ".com");
    registry.denyFullAccess(RegRoot::ClassesRoot, "comfile\\DefaultIcon");
    EXPECT_EQ("C:\\Icons\\com.dll,5", largeFrom("C:\\App\\app.exe"));

    FakeRegistryFactory noClasses;
    IconHandle large = 0;
    GetFileIcon(shell, noClasses, "C:\\App\\app.exe", &large, nullptr);
    EXPECT_EQ(std::string(kLibrary) + ",2", shell.iconSource(large));
}

TEST_F(FileIcon, IndexAfterTheLastCommaIsExtractedFromTheFileBeforeIt) {
    shell.addIcon("C:\\App\\app.exe", 3);
    EXPECT_EQ("C:\\App\\app.exe,3", largeFrom("C:\\App\\app.exe,3"));
    // No icon 4: the fallback uses index 0, since ".EXE,4" is not in the table.
    EXPECT_EQ(std::string(kLibrary) + ",0", largeFrom("C:\\App\\app.exe,4"));

    shell.addIcon("C:\\Program Files\\A, B\\app.exe", 1);
    EXPECT_EQ("C:\\Program Files\\A, B\\app.exe,1",
              largeFrom("C:\\Program Files\\A, B\\app.exe,1"));
}

TEST_F(FileIcon, NegativeIndexIsPassedOnAsAnUnsigned16BitValue) {
    shell.addIcon("C:\\App\\app.dll", 65535);
    EXPECT_EQ("C:\\App\\app.dll,65535", largeFrom("C:\\App\\app.dll,-1"));
    EXPECT_EQ(65535, shell.extractCalls.front().index);
}

TEST_F(FileIcon, TextAfterTheLastCommaThatIsNoNumberRaises) {
    try {
        largeFrom("C:\\Program Files\\A, B\\app.exe");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ("' B\\app.exe' is not a valid integer value", error.what());
    }
    EXPECT_TRUE(shell.extractCalls.empty());
    EXPECT_EQ(0u, shell.liveIconCount());
    // The same string naming an existing program never reaches the split.
    shell.addIcon("C:\\Program Files\\A, B\\app.exe", 0);
    EXPECT_EQ("C:\\Program Files\\A, B\\app.exe,0", largeFrom("C:\\Program Files\\A, B\\app.exe"));
}

TEST_F(FileIcon, DocumentUsesItsClassIconThenTheTableEntry) {
    registerClass(".txt", "txtfile", "%SystemRoot%\\system32\\imageres.dll,-102");
    IconHandle large = 0;
    GetFileIcon(shell, registry, "C:\\App\\readme.txt", &large, nullptr);
    ASSERT_EQ(2u, shell.extractCalls.size());
    // Neither quotes nor variables are touched.
    EXPECT_EQ("%SystemRoot%\\system32\\imageres.dll", shell.extractCalls[0].file);
    EXPECT_EQ(65434, shell.extractCalls[0].index);
    EXPECT_EQ(std::string(kLibrary) + ",70", shell.iconSource(large));
}

TEST_F(FileIcon, EmptyClassIconGoesStraightToTheTable) {
    registerClass(".hlp", "hlpfile", "");
    shell.addIcon("C:\\App\\manual.hlp", 0);
    EXPECT_EQ(std::string(kLibrary) + ",23", largeFrom("C:\\App\\manual.hlp"));
    ASSERT_EQ(1u, shell.extractCalls.size());
    EXPECT_EQ(kLibrary, shell.extractCalls[0].file);
}

TEST_F(FileIcon, ClassWithoutIconKeyKeepsTheIconString) {
    registry.setString(RegRoot::ClassesRoot, ".bat", "", "batfile");
    shell.addIcon("C:\\App\\run.bat", 0);
    EXPECT_EQ("C:\\App\\run.bat,0", largeFrom("C:\\App\\run.bat"));
}

TEST_F(FileIcon, ShortcutGivesOnlyTheShellsSmallIcon) {
    shell.setTypeName("C:\\Links\\app.lnk", "Shortcut");
    IconHandle large = 9;
    IconHandle small = 0;
    GetFileIcon(shell, registry, "C:\\Links\\app.lnk", &large, &small);
    EXPECT_EQ(0u, large);
    EXPECT_EQ("shell:C:\\Links\\app.lnk", shell.iconSource(small));
    EXPECT_TRUE(shell.extractCalls.empty());
    shell.destroyIcon(small);

    // Asked for the large icon only, the list gets none and no handle is left behind.
    EXPECT_EQ("", largeFrom("C:\\Links\\app.lnk"));
    EXPECT_EQ(0u, shell.liveIconCount());
    EXPECT_EQ(0, shell.badDestroys);
}

TEST_F(FileIcon, LinkOfAnotherTypeIsExtractedFromItself) {
    shell.setTypeName("C:\\Links\\odd.lnk", "shortcut");
    shell.addIcon("C:\\Links\\odd.lnk", 0);
    EXPECT_EQ("C:\\Links\\odd.lnk,0", largeFrom("C:\\Links\\odd.lnk"));
    EXPECT_EQ(0, registry.calls.opens);
}

TEST_F(FileIcon, FallbackLibraryFollowsTheSystemDirectory) {
    shell.systemDir = "D:\\";
    shell.addIcon("D:\\SHELL32.DLL", 74);
    EXPECT_EQ("D:\\SHELL32.DLL,74", largeFrom("C:\\Fonts\\a.ttf"));

    shell.systemDir.clear();
    shell.addIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 73);
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,73", largeFrom("C:\\Fonts\\a.fon"));
}

TEST_F(FileIcon, FailingFallbackClearsEveryRequestedResult) {
    FakeShell bare;
    IconHandle large = 5;
    IconHandle small = 6;
    GetFileIcon(bare, registry, "C:\\nothing.doc", &large, &small);
    EXPECT_EQ(0u, large);
    EXPECT_EQ(0u, small);
    ASSERT_EQ(2u, bare.extractCalls.size());
    EXPECT_EQ(1, bare.extractCalls[1].index);
    EXPECT_TRUE(bare.extractCalls[1].wantsLarge && bare.extractCalls[1].wantsSmall);
}

TEST(SystemDir, RaisesTheSystemMessageWhenUnavailable) {
    FakeShell shell;
    EXPECT_EQ("C:\\windows\\system32", GetSystemDir(shell));
    shell.systemDir.clear();
    shell.lastError = "Access is denied";
    try {
        GetSystemDir(shell);
        FAIL() << "no error";
    } catch (const SystemError& error) {
        EXPECT_STREQ("Access is denied", error.what());
    }
}

} // namespace remvana
