#include <gtest/gtest.h>

#include "actions/action_errors.h"
#include "app/running_command.h"
#include "fakes/fake_command_jobs.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "inventory/app_info.h"
#include "inventory/refresh.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kProduct = "{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}";
const FakeHive kHive{RegRoot::LocalMachine, RegView::Bits64};

class RunningCommandTest : public testing::Test {
  protected:
    void SetUp() override {
        registry.setString(kHive, kStore + kProduct, "DisplayName", "Tallyport Ledger");
        ledger.KeyName = kProduct;
        ledger.DisplayName = "Tallyport Ledger";
        ledger.Store = kMachineStore64;
        ledger.WindowsInstaller = 1;
        ledger.UninstallString = "MsiExec.exe /I" + kProduct;
        ledger.InstallSource = "C:\\setup\\";
        ledger.InstallLocation = "C:\\Program Files\\Tallyport";
    }
    bool start(EntryCommand command) {
        return running.start(command, ledger, [this](std::uint32_t code) { handedOver = code; });
    }
    void uninstall() {
        auto machine =
            registry.create(RegRoot::LocalMachine, reg_access::AllAccess | reg_access::View64);
        ASSERT_EQ(DeleteOutcome::Removed, machine->deleteKey("\\" + kStore + kProduct));
    }

    FakeRegistryFactory registry;
    FakeShell shell;
    FakeCommandJobs jobs;
    RunningCommand running{{jobs, registry, shell}};
    TAppInfo ledger;
    std::optional<std::uint32_t> handedOver;
};

TEST_F(RunningCommandTest, OneCommandRunsAtATimeAndItsEndIsHandedOverNotShown) {
    ASSERT_TRUE(start(EntryCommand::Remove));
    ASSERT_EQ(1u, jobs.started.size());
    EXPECT_EQ("MsiExec.exe /X" + kProduct, jobs.started[0].commandLine);
    EXPECT_EQ("Removing Tallyport Ledger ...", running.runningText());
    EXPECT_FALSE(running.entryCommandsAllowed());
    EXPECT_FALSE(start(EntryCommand::Repair)) << "two installers at once collide";
    EXPECT_EQ(1u, jobs.started.size());

    uninstall();
    jobs.finish(0, 0);
    EXPECT_EQ(0u, handedOver);
    EXPECT_TRUE(running.running()) << "the window's thread hears of the end, not the job's";
    const std::optional<CommandEnded> end = running.ended(0);
    ASSERT_TRUE(end);
    EXPECT_TRUE(end->registrationGone);
    EXPECT_EQ("Tallyport Ledger was removed.", end->statusText);
    EXPECT_EQ((EntryAddress{kMachineStore64, kProduct}), end->entry);
    EXPECT_TRUE(running.entryCommandsAllowed());
    EXPECT_EQ("", running.runningText());
    EXPECT_FALSE(running.ended(0)) << "nothing runs any more";
}

TEST_F(RunningCommandTest, TheEndSaysWhatHappened) {
    struct Case {
        EntryCommand command;
        std::uint32_t exitCode;
        bool locationThere;
        std::string status;
        std::string details;
    };
    const std::string stillThere =
        "The uninstaller of Tallyport Ledger has finished, but the program is still registered.";
    const std::vector<Case> cases{
        {EntryCommand::Remove, 0, false, stillThere,
         stillThere + " Its install location \"C:\\Program Files\\Tallyport\" is gone."},
        {EntryCommand::Remove, kExitInstallCancelled, true,
         stillThere + " It was cancelled (exit code 1602).",
         stillThere + " It was cancelled (exit code 1602). Its install location "
                      "\"C:\\Program Files\\Tallyport\" still exists."},
        {EntryCommand::Repair, kExitRestartNeeded, true,
         "Repair of Tallyport Ledger finished. A restart is needed to complete it (exit code "
         "3010).",
         "Repair of Tallyport Ledger finished. A restart is needed to complete it (exit code "
         "3010)."},
    };
    for (const Case& c : cases) { // the folder, once there, stays
        SCOPED_TRACE(c.status);
        if (c.locationThere) shell.addDirectory(ledger.InstallLocation);
        ASSERT_TRUE(start(c.command));
        const std::optional<CommandEnded> end = running.ended(c.exitCode);
        ASSERT_TRUE(end);
        EXPECT_FALSE(end->registrationGone);
        EXPECT_EQ(c.status, end->statusText);
        EXPECT_EQ(c.details, running.detailsNoteFor({kMachineStore64, kProduct}));
        EXPECT_EQ("", running.detailsNoteFor({kUserStore, kProduct})) << "another entry";
    }
    ASSERT_TRUE(start(EntryCommand::Change));
    EXPECT_EQ("", running.detailsNoteFor({kMachineStore64, kProduct})) << "until the next one";
}

TEST_F(RunningCommandTest, ACommandThatCannotStartLeavesNothingRunning) {
    jobs.startSucceeds = false;
    EXPECT_THROW(start(EntryCommand::Remove), ActionError);
    EXPECT_FALSE(running.running());
    EXPECT_TRUE(running.entryCommandsAllowed());
}

// Two programs removed as one command: the quiet commands in order, Stop while they run and
// off once asked, one summary once the last has ended.
TEST_F(RunningCommandTest, SeveralRemovalsRunOneAfterAnotherWithStopAndOneSummary) {
    registry.setString(kHive, kStore + "Orrery", "DisplayName", "Orrery Atlas");
    TAppInfo orrery;
    orrery.KeyName = "Orrery";
    orrery.DisplayName = "Orrery Atlas";
    orrery.Store = kMachineStore64;
    orrery.UninstallString = "orrery.exe";
    std::vector<QueuedRemoval> removals{
        queuedRemoval(ledger, "", RemovalMode::QuietWherePossible),
        queuedRemoval(orrery, "orrery.exe /S", RemovalMode::QuietWherePossible)};
    const JobFinished handOver = [this](std::uint32_t code) { handedOver = code; };
    ASSERT_TRUE(running.startRemovals(removals, handOver));
    ASSERT_EQ(1u, jobs.started.size());
    EXPECT_EQ("MsiExec.exe /X" + kProduct + " /qn", jobs.started[0].commandLine);
    EXPECT_EQ("Removing 1 of 2: Tallyport Ledger ...", running.runningText());
    EXPECT_TRUE(running.stopButton().shown && running.stopButton().enabled);
    EXPECT_FALSE(start(EntryCommand::Repair)) << "two installers at once collide";
    EXPECT_FALSE(running.startRemovals(removals, handOver));

    uninstall();
    std::optional<CommandEnded> end = running.ended(0);
    ASSERT_TRUE(end);
    EXPECT_TRUE(end->registrationGone);
    EXPECT_EQ("Removing 2 of 2: Orrery Atlas ...", end->statusText);
    EXPECT_EQ("", running.takeRemovalsSummary()) << "not before the last has ended";
    ASSERT_EQ(2u, jobs.started.size());
    EXPECT_EQ("orrery.exe /S", jobs.started[1].commandLine);
    running.stopRemovals();
    EXPECT_TRUE(running.stopButton().shown && !running.stopButton().enabled)
        << "the running one is never ended";

    end = running.ended(5);
    ASSERT_TRUE(end);
    EXPECT_EQ("1 of 2 programs were removed.", end->statusText);
    EXPECT_FALSE(running.running());
    EXPECT_FALSE(running.stopButton().shown);
    const std::string summary = running.takeRemovalsSummary();
    EXPECT_EQ("1 of 2 programs were removed.\nTallyport Ledger: removed.\n"
              "Orrery Atlas: still registered. Exit code 5.\n",
              summary);
    EXPECT_EQ("", running.takeRemovalsSummary()) << "given once";
    EXPECT_EQ(std::string(kPropertiesHeadingLine) +
                  "<B>1 of 2 programs were removed.</B><br>Tallyport Ledger: removed.<br>"
                  "Orrery Atlas: still registered. Exit code 5.<br>",
              removalSummaryMarkup(summary));
    EXPECT_TRUE(start(EntryCommand::Repair)) << "a single command again";
}

} // namespace
} // namespace remvana
