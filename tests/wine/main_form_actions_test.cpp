// The action buttons and link labels of the real window, against the real registry: the
// buttons are clicked and the rows selected through their window messages.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

#include "actions/win32/audit_report_file.h"
#include "dialog_answerer.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "window_fixture.h"

namespace remvana {
namespace {

using testing::machineKeyExists;
const std::string& kStore = testing::kUninstallStore;
const std::string kAlphaKey = "RemvanaAct Alpha";
const std::string kBetaKey = "RemvanaAct Beta";
const std::string kConfirmation =
    "This will remove the uninstall entry from the registry. It will not uninstall the "
    "application. Are you sure you want to do this?";

using testing::readFile;

// The real shell, except that the documents folder is the test's scratch folder and shell
// targets are recorded instead of starting a browser.
class TestShell : public Win32Shell {
  public:
    std::string documentsFolder() override { return documents; }
    void openTarget(const std::string& target) override { opened.push_back(target); }
    std::string documents;
    std::vector<std::string> opened;
};

// Records the command lines instead of starting them; each job ends at once, with 0.
class RecordingJobs : public CommandJobs {
  public:
    bool startJob(const std::string& commandLine, int showCommand, JobFinished finished) override {
        started.push_back(commandLine + " @" + std::to_string(showCommand));
        finished(0);
        return true;
    }
    std::string lastStartError() override { return {}; }
    std::vector<std::string> started;
};

class StillClock : public Win32Clock {
  public:
    SystemTime now() override { return {2025, 6, 7, 8, 9, 0, 0}; }
};

class MainFormActions : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        recordFile = testing::ownFolder() + "record_command_line.txt";
        DeleteFileA(recordFile.c_str());
        uninstallCommand = "\"";
        uninstallCommand += testing::ownFolder();
        uninstallCommand += "record_command_line.exe\" /uninstall %TEMP% x";
        ASSERT_TRUE(testing::setMachineString(kStore + kAlphaKey, "DisplayName", "Act Alpha"));
        ASSERT_TRUE(
            testing::setMachineString(kStore + kAlphaKey, "UninstallString", uninstallCommand));
        ASSERT_TRUE(testing::setMachineString(kStore + kAlphaKey + "\\Components\\Core", "Path",
                                              "C:\\Alpha\\core.dll"));
        ASSERT_TRUE(testing::setMachineString(kStore + kAlphaKey + "\\Features", "Main", "1"));
        ASSERT_TRUE(testing::setMachineString(kStore + kBetaKey, "DisplayName", "Act Beta"));

        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        testShell.documents =
            std::string(temp) + "remvana-actions-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(testShell.documents.c_str(), nullptr);

        services.shell = &testShell;
        services.clock = &stillClock;
        openWindow();
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        setAuditReportPathChooser({});
        testing::deleteMachineTree(kStore + kAlphaKey);
        testing::deleteMachineTree(kStore + kBetaKey);
        DeleteFileA(recordFile.c_str());
        DeleteFileA((testShell.documents + "\\audit.txt").c_str());
        DeleteFileA((testShell.documents + "\\unwritable.txt").c_str());
        RemoveDirectoryA(testShell.documents.c_str());
    }

    std::vector<std::string> rowCaptions() {
        return testing::listColumnTexts(controlOf(form(), layout::kListViewId), 0);
    }
    int selectedRow() {
        return ListView_GetNextItem(controlOf(form(), layout::kListViewId), -1, LVNI_SELECTED);
    }
    void click(HWND button) {
        ASSERT_TRUE(IsWindowEnabled(button));
        testing::clickControl(button);
    }
    std::string countText() { return form().statusText(1); }
    static std::string countOf(std::size_t rows) {
        return std::to_string(rows) + " programs available for uninstall";
    }

    std::string recordFile;
    std::string uninstallCommand;
    TestShell testShell;
    StillClock stillClock;
    RecordingJobs recordingJobs;
};

TEST_F(MainFormActions, DeleteEntryWithOkRemovesTheSubtreeAndRefreshes) {
    const std::size_t rowsBefore = rowCaptions().size();
    ASSERT_EQ(countOf(rowsBefore), countText());
    selectRow("Act Alpha");

    testing::DialogAnswerer user("Confirm", IDOK);
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kDeleteEntryButtonId)));
    ASSERT_TRUE(user.answered());
    waitForRefresh();
    EXPECT_EQ(kConfirmation, user.messageText());
    EXPECT_TRUE(user.hadButton(IDOK));
    EXPECT_TRUE(user.hadButton(IDCANCEL));

    EXPECT_FALSE(machineKeyExists(kStore + kAlphaKey));
    EXPECT_TRUE(machineKeyExists(kStore + kBetaKey));
    EXPECT_EQ(-1, rowOf("Act Alpha"));
    EXPECT_GE(rowOf("Act Beta"), 0);
    EXPECT_EQ(rowsBefore - 1, rowCaptions().size());
    EXPECT_EQ(countOf(rowsBefore - 1), countText());
    // The refresh leaves no row selected and the entry buttons off.
    EXPECT_EQ(-1, selectedRow());
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kDeleteEntryButtonId)));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormActions, DeleteEntryWithCancelChangesNothing) {
    const auto rowsBefore = rowCaptions();
    const std::string countBefore = countText();
    selectRow("Act Alpha");

    testing::DialogAnswerer user("Confirm", IDCANCEL);
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kDeleteEntryButtonId)));
    ASSERT_TRUE(user.answered());

    EXPECT_TRUE(machineKeyExists(kStore + kAlphaKey + "\\Components\\Core"));
    EXPECT_TRUE(machineKeyExists(kStore + kAlphaKey + "\\Features"));
    EXPECT_EQ(rowsBefore, rowCaptions());
    EXPECT_EQ(countBefore, countText());
    EXPECT_EQ(rowOf("Act Alpha"), selectedRow()) << "no refresh: the selection stays";
}

TEST_F(MainFormActions, ADeletionTheRegistryRefusesSaysSoAndTheEntryStays) {
    // The store lets everyone read it and nothing else; once the backup before the deletion
    // is written, the entry's Components key cannot even be listed, so what lies below it,
    // and with it the entry, cannot go.
    struct Restore {
        ~Restore() {
            testing::setMachineSecurity(kStore + kAlphaKey + "\\Components", "D:(A;;KA;;;WD)");
            testing::setMachineSecurity(kStore, "D:(A;;KA;;;WD)");
        }
    } restore;
    ASSERT_TRUE(testing::setMachineSecurity(kStore, "D:P(A;;KRWD;;;WD)"));
    files.afterWrite = [] {
        testing::setMachineSecurity(kStore + kAlphaKey + "\\Components", "D:P(A;;0x60001;;;WD)");
    };
    refreshAndWait();
    EXPECT_GE(rowOf("Act Beta"), 0); // a store that cannot be written is still listed
    selectRow("Act Alpha");

    testing::DialogAnswerer user("Confirm", IDOK);
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kDeleteEntryButtonId)));
    ASSERT_TRUE(user.answered());
    ASSERT_EQ(1u, errors.size());
    const std::string said = "The entry \"" + kAlphaKey + "\" was only partly removed";
    EXPECT_EQ(said, errors[0].substr(0, said.size())) << errors[0];
    EXPECT_TRUE(machineKeyExists(kStore + kAlphaKey + "\\Components\\Core"));
    EXPECT_GE(rowOf("Act Alpha"), 0); // listed again after the refresh
}

TEST_F(MainFormActions, ARemoveWhoseProgramIsMissingSaysWhy) {
    const std::string missing = "C:\\nowhere\\missing-uninstaller.exe /S";
    ASSERT_TRUE(testing::setMachineString(kStore + kBetaKey, "UninstallString", missing));
    refreshAndWait();
    selectRow("Act Beta");
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kRemoveButtonId)));
    ASSERT_EQ(1u, errors.size());
    const std::string said = "Cannot start \"" + missing + "\". ";
    EXPECT_EQ(said, errors[0].substr(0, said.size())) << errors[0];
    EXPECT_GT(errors[0].size(), said.size() + 1); // the system's reason follows
}

TEST_F(MainFormActions, RemoveRunsTheUninstallCommandAndSaysWhenTheProgramStaysRegistered) {
    const auto rowsBefore = rowCaptions();
    selectRow("Act Alpha");
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kRemoveButtonId)));

    const std::string recorded = testing::waitForFile(recordFile);
    // Exactly as registered: quotes kept, %TEMP% not expanded.
    EXPECT_EQ(uninstallCommand + "\n", recorded);
    const std::string stays =
        "The uninstaller of Act Alpha has finished, but the program is still registered.";
    for (int waited = 0; form().statusText(1) != stays && waited < 200; ++waited)
        testing::pumpMessages(50);
    EXPECT_EQ(stays, form().statusText(1));
    EXPECT_TRUE(machineKeyExists(kStore + kAlphaKey));
    EXPECT_EQ(rowsBefore, rowCaptions());
    EXPECT_EQ(rowOf("Act Alpha"), selectedRow()) << "the selection stays";
    EXPECT_NE(
        std::string::npos,
        TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId))->htmlLine(0).find(stays))
        << "the details say it too";
    EXPECT_TRUE(IsWindowEnabled(controlOf(form(), layout::kRemoveButtonId)));
}

TEST_F(MainFormActions, ChangeAndRepairHandTheirCommandLinesToTheSystem) {
    ASSERT_TRUE(testing::setMachineString(kStore + kBetaKey, "ModifyPath", "beta.exe /modify"));
    ASSERT_TRUE(testing::setMachineString(kStore + kBetaKey, "InstallSource", "C:\\Setup\\"));
    closeWindow();
    services.jobs = &recordingJobs;
    openWindow();
    selectRow("Act Beta");
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kChangeButtonId)));
    testing::pumpMessages(100); // the job's end reaches the window: Repair is offered again
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kRepairButtonId)));
    EXPECT_EQ(
        (std::vector<std::string>{"beta.exe /modify @5", "MsiExec.exe /f " + kBetaKey + " @5"}),
        recordingJobs.started);
}

TEST_F(MainFormActions, SaveToFileWritesTheReportThroughTheDialog) {
    // An older, longer report of that name is replaced without a question.
    std::ofstream(testShell.documents + "\\audit.txt", std::ios::binary)
        << std::string(100000, 'x');
    char workingFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, workingFolder);
    // The dialog adds the default extension to a name typed without one.
    testing::DialogAnswerer user("Save Software Audit Report", IDOK, "audit");
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kSavetofileButtonId)));
    ASSERT_TRUE(user.answered());
    EXPECT_EQ(testShell.documents, user.folderPath());
    // Later command lines are not looked up in the report's folder.
    char workingFolderAfter[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, workingFolderAfter);
    EXPECT_STREQ(workingFolder, workingFolderAfter);

    AuditReportServices reportServices{testShell, stillClock, locale};
    const std::string written = readFile(testShell.documents + "\\audit.txt");
    EXPECT_EQ(auditReportText(Inventory.completeAll(), reportServices), written);
    const auto alpha =
        written.find("\r\nAct Alpha\r\nUninstall Command: " + uninstallCommand + "\r\n\r\n");
    const auto beta = written.find("\r\nAct Beta\r\n\r\n");
    EXPECT_NE(std::string::npos, alpha);
    EXPECT_NE(std::string::npos, beta);
    EXPECT_LT(alpha, beta);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormActions, CancellingTheSaveDialogWritesNothing) {
    testing::DialogAnswerer user("Save Software Audit Report", IDCANCEL, "audit");
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kSavetofileButtonId)));
    ASSERT_TRUE(user.answered());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA((testShell.documents + "\\audit.txt").c_str()));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormActions, AReportThatCannotBeCreatedIsShownAsAnError) {
    const std::string path = testShell.documents + "\\missing\\unwritable.txt";
    setAuditReportPathChooser(
        [&](HWND, const std::string&) { return std::optional<std::string>(path); });
    ASSERT_NO_FATAL_FAILURE(click(controlOf(form(), layout::kSavetofileButtonId)));
    ASSERT_EQ(1u, errors.size());
    const std::string prefix = "Cannot create file \"" + path + "\". ";
    EXPECT_EQ(prefix, errors[0].substr(0, prefix.size()));
    EXPECT_EQ('.', errors[0].back());
}

TEST_F(MainFormActions, LinkLabelsOpenTheirTargets) {
    for (HWND label :
         {controlOf(form(), layout::kSiteLabelId), controlOf(form(), layout::kMailToLabelId),
          controlOf(form(), layout::kSuggestLabelId), controlOf(form(), layout::kStartupLabelId)})
        testing::clickControl(label);
    EXPECT_EQ((std::vector<std::string>{"http://www.kelvane.example/remvana/",
                                        "mailto:support@kelvane.example",
                                        "http://www.kelvane.example/suggest-feature.html",
                                        "http://www.kelvane.example/lumvex/"}),
              testShell.opened);
}

} // namespace
} // namespace remvana
