#include <gtest/gtest.h>

#include "actions/commands.h"
#include "fakes/fake_shell.h"
#include "inventory/app_info.h"

namespace remvana {
namespace {

TAppInfo entryNamed(const std::string& keyName) {
    TAppInfo entry;
    entry.KeyName = keyName;
    entry.DisplayName = "Sample";
    return entry;
}

TEST(CommandLines, NoSelectedRowStartsNothing) {
    EXPECT_EQ(std::nullopt, removeCommandLine(nullptr));
    EXPECT_EQ(std::nullopt, changeCommandLine(nullptr));
    EXPECT_EQ(std::nullopt, repairCommandLine(nullptr));
}

TEST(CommandLines, RemoveRunsTheUninstallStringUntouched) {
    TAppInfo entry = entryNamed("Sample");
    EXPECT_EQ(std::nullopt, removeCommandLine(&entry));
    // Quotes, blanks and environment references pass through as registered.
    entry.UninstallString = "\"%ProgramFiles%\\Sample App\\unins000.exe\" /SILENT ";
    EXPECT_EQ(entry.UninstallString, removeCommandLine(&entry));
}

TEST(CommandLines, ChangePrefersTheModifyPathWhenModifyingIsAllowed) {
    TAppInfo entry = entryNamed("Sample");
    entry.ModifyPath = "setup.exe /modify";
    entry.UninstallString = "setup.exe /uninstall";
    EXPECT_EQ("setup.exe /modify", changeCommandLine(&entry));
}

TEST(CommandLines, ChangeFallsBackToTheUninstallString) {
    TAppInfo entry = entryNamed("Sample");
    entry.UninstallString = "setup.exe /uninstall";
    EXPECT_EQ("setup.exe /uninstall", changeCommandLine(&entry)) << "no ModifyPath";

    entry.ModifyPath = "setup.exe /modify";
    entry.NoModify = 1;
    EXPECT_EQ("setup.exe /uninstall", changeCommandLine(&entry)) << "NoModify set";

    entry.NoModify = -1; // any non-zero value forbids the modify command
    EXPECT_EQ("setup.exe /uninstall", changeCommandLine(&entry));
}

TEST(CommandLines, ChangeWithNeitherCommandDoesNothing) {
    TAppInfo entry = entryNamed("Sample");
    EXPECT_EQ(std::nullopt, changeCommandLine(&entry));
    entry.NoModify = 1;
    entry.ModifyPath = "setup.exe /modify";
    EXPECT_EQ(std::nullopt, changeCommandLine(&entry));
}

TEST(CommandLines, RepairAsksTheInstallerForTheSubkeyName) {
    TAppInfo entry = entryNamed("{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}");
    EXPECT_EQ(std::nullopt, repairCommandLine(&entry)) << "no install source";

    entry.InstallSource = "C:\\Setup\\";
    EXPECT_EQ("MsiExec.exe /f {5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}", repairCommandLine(&entry));

    // A name that is no product code still gives the command; the installer complains.
    entry.KeyName = "Sample App";
    EXPECT_EQ("MsiExec.exe /f Sample App", repairCommandLine(&entry));
}

TEST(UninstallEntryKeyPath, NamesExactlyOneSubkeyOfTheStore) {
    EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sample App\\",
              uninstallEntryKeyPath("Sample App"));
    EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{A-B}.x/y\\",
              uninstallEntryKeyPath("{A-B}.x/y"));
    EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\...\\",
              uninstallEntryKeyPath("..."));
}

TEST(UninstallEntryKeyPath, RefusesNamesThatWouldReachBeyondOneSubkey) {
    // An empty name would make the path the store itself.
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath(""));
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath("\\"));
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath("A\\B"));
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath("\\SOFTWARE"));
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath("."));
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath(".."));
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath("..\\..\\Run"));
    // The registry's text interface stops at a NUL, which would leave the store's own path.
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath(std::string_view("\0Sample", 7)));
    EXPECT_EQ(std::nullopt, uninstallEntryKeyPath(std::string_view("Sample\0", 7)));
}

TEST(StartCommand, HandsTheLineToWinExecWithShowAndNothingElse) {
    FakeShell shell;
    startCommand(std::nullopt, shell);
    EXPECT_TRUE(shell.execCalls.empty());

    startCommand(std::string("\"C:\\Program Files\\App\\uninst.exe\" /x %TEMP%"), shell);
    ASSERT_EQ(1u, shell.execCalls.size());
    EXPECT_EQ("\"C:\\Program Files\\App\\uninst.exe\" /x %TEMP%", shell.execCalls[0].commandLine);
    EXPECT_EQ(5, shell.execCalls[0].showCommand); // SW_SHOW
    EXPECT_TRUE(shell.openedTargets.empty());
}

} // namespace
} // namespace remvana
