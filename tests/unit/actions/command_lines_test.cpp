#include <gtest/gtest.h>

#include "actions/action_errors.h"
#include "actions/commands.h"
#include "fakes/fake_command_jobs.h"
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

TEST(CommandLines, WindowsInstallerProductsAreRemovedThroughWindowsInstaller) {
    // Windows Installer registers its maintenance command as the UninstallString: run, it
    // re-runs the install of a package without a maintenance dialog.
    const std::string maintenance = "MsiExec.exe /I{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}";
    struct Case {
        const char* keyName;
        std::int32_t windowsInstaller;
        const char* remove;
    };
    for (const Case& c : {
             Case{"{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}", 1,
                  "MsiExec.exe /X{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}"},
             Case{"{5f1e9c2a-0b7d-4e11-9a63-2c8d7e4b1a90}", 1,
                  "MsiExec.exe /X{5f1e9c2a-0b7d-4e11-9a63-2c8d7e4b1a90}"},
             // Not flagged, or flagged with another value: the registered command.
             Case{"{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}", 0, nullptr},
             Case{"{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}", 2, nullptr},
             // Names that only look like a product code.
             Case{"5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90", 1, nullptr},
             Case{"{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A9}", 1, nullptr},
             Case{"{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}.KB1", 1, nullptr},
             Case{"{5F1E9C2A0-B7D-4E11-9A63-2C8D7E4B1A90}", 1, nullptr},
             Case{"{5G1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}", 1, nullptr},
             Case{"Sample App", 1, nullptr},
         }) {
        TAppInfo entry = entryNamed(c.keyName);
        entry.WindowsInstaller = c.windowsInstaller;
        entry.UninstallString = maintenance;
        entry.ModifyPath = maintenance;
        EXPECT_EQ(c.remove ? c.remove : maintenance, removeCommandLine(&entry)) << c.keyName;
        // Change stays the maintenance command: that is what it is for.
        EXPECT_EQ(maintenance, changeCommandLine(&entry)) << c.keyName;
        const std::optional<std::string> quiet = quietRemoveCommandLine(entry, "");
        if (c.remove)
            EXPECT_EQ(std::string(c.remove) + " /qn", quiet) << c.keyName;
        else
            EXPECT_EQ(std::nullopt, quiet) << c.keyName << ": never run interactively instead";
    }
}

TEST(CommandLines, QuietRemovalRunsTheQuietUninstallString) {
    TAppInfo entry = entryNamed("Sample");
    entry.UninstallString = "\"C:\\Sample\\uninst.exe\"";
    EXPECT_EQ("\"C:\\Sample\\uninst.exe\" /S",
              quietRemoveCommandLine(entry, "\"C:\\Sample\\uninst.exe\" /S"));
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

TEST(SingleKeyName, AcceptsOnlyNamesOfExactlyOneSubkey) {
    for (std::string_view name : {"Sample App", "{A-B}.x/y", "...", ".x"})
        EXPECT_TRUE(isSingleKeyName(name)) << name;
    // Empty would be the store itself; a separator, "." or ".." leads elsewhere; the
    // registry's text interface stops at a NUL, which would leave the store's own path.
    for (std::string_view name :
         {std::string_view(""), std::string_view("\\"), std::string_view("A\\B"),
          std::string_view("\\SOFTWARE"), std::string_view("."), std::string_view(".."),
          std::string_view("..\\..\\Run"), std::string_view("\0Sample", 7),
          std::string_view("Sample\0", 7)})
        EXPECT_FALSE(isSingleKeyName(name)) << name;
}

// The system refuses it without a reason, which left the error box empty.
TEST(StartCommandJob, ACommandLineLongerThanWindowsStartsIsRefusedSayingSo) {
    FakeCommandJobs jobs;
    const std::string command = "C:\\un.exe " + std::string(32 * 1024, 'x');
    try {
        startCommandJob(command, jobs, [](std::uint32_t) {});
        FAIL() << "no error";
    } catch (const ActionError& e) {
        EXPECT_STREQ(("Cannot start \"" + command.substr(0, 200) +
                      "...\". The command line is too long: 32778 characters, where Windows "
                      "starts at most 32766.")
                         .c_str(),
                     e.what());
    }
    EXPECT_TRUE(jobs.started.empty());
    EXPECT_TRUE(startCommandJob(std::string(kLongestCommandLine, 'x'), jobs, [](std::uint32_t) {}));
    EXPECT_EQ(1u, jobs.started.size());
}

} // namespace
} // namespace remvana
