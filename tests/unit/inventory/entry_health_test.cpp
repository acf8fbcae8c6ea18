#include <gtest/gtest.h>

#include "fakes/fake_shell.h"
#include "inventory/entry_health.h"

namespace remvana {
namespace {

using Paths = std::vector<std::string>;

TEST(ProgramFileCandidates, FollowTheWaysTheSystemReadsTheFirstToken) {
    struct Case {
        const char* command;
        Paths expected;
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\App\\unins000.exe\" /SILENT",
         {"C:\\Program Files\\App\\unins000.exe"}},
        {"  \"C:\\A B\\u.exe\"", {"C:\\A B\\u.exe"}},
        {"C:\\Tools\\remove.exe", {"C:\\Tools\\remove.exe"}},
        {"C:\\Program Files\\App\\un.exe /S",
         {"C:\\Program", "C:\\Program.exe", "C:\\Program Files\\App\\un.exe",
          "C:\\Program Files\\App\\un.exe /S"}},
        {"C:\\Tools\\remove", {"C:\\Tools\\remove", "C:\\Tools\\remove.exe"}},
        {"RunDll32.exe C:\\Program Files\\App\\setup.dll,Uninstall /q",
         {"C:\\Program Files\\App\\setup.dll"}},
        {"\"C:\\Windows\\system32\\rundll32.exe\" \"C:\\A B\\x.dll\",Entry", {"C:\\A B\\x.dll"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, programFileCandidates(c.command)) << c.command;
}

TEST(MsiProductCode, FromTheCommandElseFromAProductCodeKeyName) {
    EXPECT_EQ("{11-22}", msiProductCodeOf("MsiExec.exe /X{11-22}", "Other"));
    EXPECT_EQ("{11-22}", msiProductCodeOf("\"C:\\Windows\\System32\\msiexec\" /I {11-22} /q", ""));
    EXPECT_EQ("{K}", msiProductCodeOf("msiexec.exe /uninstall", "{K}"));
    EXPECT_EQ("", msiProductCodeOf("msiexec.exe /uninstall", "NotACode"));
    EXPECT_EQ("", msiProductCodeOf("C:\\App\\setup.exe /X{11-22}", "{K}"));
}

class EntryHealthCheck : public ::testing::Test {
  protected:
    bool missing(const std::string& uninstallString) {
        TAppInfo entry;
        entry.KeyName = "{PRODUCT}";
        entry.UninstallString = uninstallString;
        return uninstallerMissing(entry, shell);
    }
    FakeShell shell;
};

TEST_F(EntryHealthCheck, UninstallerIsMissingOnlyWhenNoCandidateExists) {
    shell.addFile("C:\\Program Files\\App\\un.exe");
    shell.addFile("C:\\windows\\system32\\rundll32.exe");
    shell.addFile("C:\\windows\\system32\\shell32.dll");
    shell.environment["ProgramFiles"] = "C:\\Program Files";

    EXPECT_FALSE(missing("C:\\Program Files\\App\\un.exe /S"));
    EXPECT_FALSE(missing("\"%ProgramFiles%\\App\\un.exe\" /S"));
    EXPECT_TRUE(missing("\"%ProgramFiles%\\Gone\\un.exe\" /S"));
    shell.environment["SystemDrive"] = "C:";
    EXPECT_TRUE(missing("%SystemDrive%\\Gone\\un.exe"));
    EXPECT_FALSE(missing("rundll32.exe shell32.dll,Control_RunDLL"));
    EXPECT_TRUE(missing("rundll32.exe C:\\Gone\\setup.dll,Uninstall"));
    // A bare name outside the system folder may be on the search path: not marked.
    EXPECT_FALSE(missing("uninstall-helper.exe /x"));
    EXPECT_FALSE(missing("")); // nothing registered is not a missing uninstaller
}

TEST_F(EntryHealthCheck, WindowsInstallerCommandsAskForTheProductInsteadOfFiles) {
    shell.msiProducts.insert("{KNOWN}");
    EXPECT_FALSE(missing("MsiExec.exe /X{KNOWN}"));
    EXPECT_TRUE(missing("MsiExec.exe /X{GONE}"));
    EXPECT_TRUE(missing("MsiExec.exe /uninstall")); // falls back to the key name {PRODUCT}
}

TEST_F(EntryHealthCheck, MarksEachMissingTargetOnceAndKeepsTheResult) {
    shell.addDirectory("C:\\Apps\\Here");
    shell.addFile("C:\\Apps\\Here\\app.exe");
    TAppInfo entry;
    entry.UninstallString = "C:\\Apps\\Here\\app.exe /uninstall";
    entry.InstallLocation = "C:\\Apps\\Here\\";
    entry.DisplayIcon = "\"C:\\Apps\\Here\\app.exe\",-101";
    checkEntryHealth(entry, shell);
    EXPECT_TRUE(entry.Health.checked);
    EXPECT_FALSE(entry.Health.uninstallerMissing || entry.Health.installLocationMissing ||
                 entry.Health.displayIconMissing);

    TAppInfo gone;
    gone.UninstallString = "C:\\Apps\\Gone\\app.exe";
    gone.InstallLocation = "C:\\Apps\\Gone";
    gone.DisplayIcon = "C:\\Apps\\Gone\\app.ico";
    checkEntryHealth(gone, shell);
    EXPECT_TRUE(gone.Health.uninstallerMissing);
    EXPECT_TRUE(gone.Health.installLocationMissing);
    EXPECT_TRUE(gone.Health.displayIconMissing);

    // Checked once per refresh: files appearing later change nothing until the next one.
    shell.addFile("C:\\Apps\\Gone\\app.exe");
    checkEntryHealth(gone, shell);
    EXPECT_TRUE(gone.Health.uninstallerMissing);
}

// A click on the install location opens it, so only a folder may be opened: a file would run.
TEST_F(EntryHealthCheck, OnlyAnInstallLocationThatIsAnExistingFolderIsOpened) {
    shell.addDirectory("C:\\Tools");
    shell.addFile("C:\\Tools\\marker.bat");
    shell.addFile("C:\\Tools\\marker.exe");
    shell.addFile("C:\\Tools\\marker.cmd");
    shell.environment["TOOLS"] = "C:\\Tools";
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"C:\\Tools", "C:\\Tools\\"},
        {"\"C:\\Tools\\\"", "C:\\Tools\\"},
        {"%TOOLS%", "C:\\Tools\\"},
        {"C:\\Tools\\marker.bat", std::nullopt},
        {"C:\\Tools\\marker.exe", std::nullopt},
        {"\"C:\\Tools\\marker.cmd\"", std::nullopt},
        {"marker.exe", std::nullopt},
        {"C:\\Tools\\Gone", std::nullopt},
    };
    for (const auto& [location, folder] : cases) {
        EXPECT_EQ(folder, installLocationFolder(location, shell)) << location;
        shell.openedTargets.clear();
        EXPECT_EQ(folder.has_value(), openInstallLocation(location, shell)) << location;
        EXPECT_EQ(folder ? std::vector{*folder} : std::vector<std::string>{}, shell.openedTargets)
            << location;
    }

    TAppInfo entry;
    entry.InstallLocation = "C:\\Tools\\marker.bat";
    checkEntryHealth(entry, shell);
    EXPECT_FALSE(entry.Health.installLocationIsFolder);
}

// A share or drive that cannot be reached says nothing about the file: not checked.
TEST_F(EntryHealthCheck, APathThatCannotBeReachedIsNotCheckedRatherThanMissing) {
    TAppInfo entry;
    entry.UninstallString = "\\\\offline\\share\\app\\uninst.exe /S";
    entry.InstallLocation = "\\\\offline\\share\\app";
    entry.DisplayIcon = "Z:\\app\\app.ico";
    checkEntryHealth(entry, shell);
    EXPECT_FALSE(entry.Health.uninstallerMissing);
    EXPECT_FALSE(entry.Health.installLocationMissing);
    EXPECT_FALSE(entry.Health.displayIconMissing);

    shell.addDirectory("\\\\server\\share");
    TAppInfo reachable;
    reachable.UninstallString = "\\\\server\\share\\app\\uninst.exe /S";
    checkEntryHealth(reachable, shell);
    EXPECT_TRUE(reachable.Health.uninstallerMissing) << "the share answers: the file is gone";
}

} // namespace
} // namespace remvana
