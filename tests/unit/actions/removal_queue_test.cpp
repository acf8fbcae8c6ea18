#include <gtest/gtest.h>

#include <set>

#include "actions/removal_queue.h"
#include "actions/removal_texts.h"
#include "fakes/fake_command_jobs.h"
#include "fakes/fake_registry.h"
#include "inventory/app_info.h"

namespace remvana {
namespace {

const std::string kProduct = "{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}";

TAppInfo entryNamed(const std::string& keyName, const std::string& uninstall = "") {
    TAppInfo entry;
    entry.KeyName = keyName;
    entry.DisplayName = keyName + " App";
    entry.UninstallString = uninstall;
    return entry;
}

TEST(RemovalQueue, EachEntryRunsItsQuietCommandWhereItHasOne) {
    TAppInfo product = entryNamed(kProduct, "MsiExec.exe /I" + kProduct);
    product.WindowsInstaller = 1;
    struct Case {
        TAppInfo entry;
        std::string quietString;
        RemovalMode mode;
        std::optional<std::string> command;
        bool quiet;
    };
    for (const Case& c : {
             Case{entryNamed("Quill", "u.exe"), "u.exe /S", RemovalMode::QuietWherePossible,
                  "u.exe /S", true},
             Case{product, "", RemovalMode::QuietWherePossible,
                  "MsiExec.exe /X" + kProduct + " /qn", true},
             Case{entryNamed("Zeta", "z.exe"), "", RemovalMode::QuietWherePossible, "z.exe", false},
             Case{entryNamed("Zeta", "z.exe"), "", RemovalMode::QuietOnly, std::nullopt, false},
             Case{entryNamed("Quill", "u.exe"), "u.exe /S", RemovalMode::Normal, "u.exe", false},
             Case{entryNamed("None"), "", RemovalMode::QuietWherePossible, std::nullopt, false},
         }) {
        const QueuedRemoval removal = queuedRemoval(c.entry, c.quietString, c.mode);
        EXPECT_EQ(c.command, removal.commandLine) << c.entry.KeyName;
        EXPECT_EQ(c.quiet, removal.quiet) << c.entry.KeyName;
        EXPECT_EQ(!c.command, !removal.refusal.empty()) << c.entry.KeyName;
    }
}

TEST(RemovalQueue, TheQuietStringIsReadFromTheEntrysOwnKey) {
    FakeRegistryFactory registry;
    const std::string store = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    registry.setString(RegRoot::CurrentUser, store + "Quill", "QuietUninstallString", "q /S");
    registry.setDword(RegRoot::CurrentUser, store + "Odd", "QuietUninstallString", 1);
    TAppInfo quill = entryNamed("Quill");
    quill.Store = kUserStore;
    EXPECT_EQ("q /S", readQuietUninstallString(registry, quill));
    quill.Store = kMachineStore64;
    EXPECT_EQ("", readQuietUninstallString(registry, quill)) << "another store's key";
    TAppInfo odd = entryNamed("Odd");
    odd.Store = kUserStore;
    EXPECT_EQ("", readQuietUninstallString(registry, odd)) << "not a string";
}

// Jobs end when the test ends them; the uninstaller of a key in `failing` leaves it there.
class RemovalQueueRun : public ::testing::Test {
  protected:
    RemovalQueue& queueOf(const std::vector<std::string>& keys) {
        std::vector<QueuedRemoval> removals;
        for (const std::string& key : keys)
            removals.push_back(queuedRemoval(entryNamed(key, key + ".exe"), key + ".exe /S",
                                             RemovalMode::QuietWherePossible));
        queue.emplace(
            std::move(removals),
            RemovalServices{jobs,
                            [this](const QueuedRemoval& r) { return failing.count(r.keyName) > 0; },
                            {},
                            [this](std::uint32_t code) { handedOver.push_back(code); }});
        return *queue;
    }
    // Ends the newest job as the job service would: its code handed over, then told.
    void endJob(std::uint32_t code) {
        jobs.finish(jobs.started.size() - 1, code);
        ASSERT_FALSE(handedOver.empty());
        queue->jobEnded(handedOver.back());
    }
    std::vector<RemovalState> states() const {
        std::vector<RemovalState> all;
        for (const RemovalResult& result : queue->results())
            all.push_back(result.state);
        return all;
    }

    FakeCommandJobs jobs;
    std::set<std::string> failing;
    std::vector<std::uint32_t> handedOver;
    std::optional<RemovalQueue> queue;
};

TEST_F(RemovalQueueRun, CommandsRunInOrderOneAtATime) {
    RemovalQueue& q = queueOf({"Orrery", "Quill", "Zeta"});
    EXPECT_EQ("", q.runningText());
    q.start();
    ASSERT_EQ(1u, jobs.started.size());
    EXPECT_EQ("Orrery.exe /S", jobs.started[0].commandLine);
    EXPECT_EQ("Removing 1 of 3: Orrery App ...", q.runningText());
    endJob(0);
    ASSERT_EQ(2u, jobs.started.size()) << "the next one starts once the first has ended";
    EXPECT_EQ("Quill.exe /S", jobs.started[1].commandLine);
    EXPECT_EQ("Removing 2 of 3: Quill App ...", q.runningText());
    failing.insert("Quill");
    endJob(1602);
    endJob(0);
    EXPECT_EQ(3u, jobs.started.size());
    EXPECT_TRUE(q.finished());
    EXPECT_EQ(
        (std::vector{RemovalState::Removed, RemovalState::StillRegistered, RemovalState::Removed}),
        states());
    EXPECT_EQ(1602u, q.results()[1].exitCode);
}

TEST_F(RemovalQueueRun, AStopTakesEffectAfterTheRunningCommand) {
    RemovalQueue& q = queueOf({"Orrery", "Quill", "Zeta"});
    q.start();
    q.stop();
    EXPECT_TRUE(q.running()) << "the running uninstaller is never ended from here";
    endJob(0);
    EXPECT_EQ(1u, jobs.started.size());
    EXPECT_TRUE(q.finished());
    EXPECT_EQ((std::vector{RemovalState::Removed, RemovalState::Stopped, RemovalState::Stopped}),
              states());
}

TEST_F(RemovalQueueRun, ACommandThatCannotStartIsRecordedAndTheQueueGoesOn) {
    jobs.refusedCommandLine = "Quill.exe /S";
    RemovalQueue& q = queueOf({"Orrery", "Quill", "Zeta"});
    q.start();
    endJob(0);
    ASSERT_EQ(2u, jobs.started.size());
    EXPECT_EQ("Zeta.exe /S", jobs.started[1].commandLine);
    EXPECT_EQ("Removing 3 of 3: Zeta App ...", q.runningText());
    endJob(0);
    EXPECT_EQ(RemovalState::NotStarted, q.results()[1].state);
    EXPECT_EQ("Cannot start \"Quill.exe /S\". The system cannot find the file specified.",
              q.results()[1].reason);
}

TEST_F(RemovalQueueRun, AJobThatEndsWithinItsStartIsStillTakenInTurn) {
    jobs.runAtOnce = [](const std::string&) {};
    RemovalQueue& q = queueOf({"Orrery", "Quill"});
    q.start();
    ASSERT_EQ(1u, handedOver.size());
    q.jobEnded(handedOver[0]);
    ASSERT_EQ(2u, handedOver.size());
    q.jobEnded(handedOver[1]);
    EXPECT_TRUE(q.finished());
    EXPECT_EQ((std::vector{RemovalState::Removed, RemovalState::Removed}), states());
}

TEST(RemovalTexts, TheSummaryHasALinePerProgramWithEveryExitCodeNotZero) {
    QueuedRemoval removal;
    removal.programName = "Orrery Atlas";
    struct Case {
        RemovalResult result;
        const char* line;
    };
    for (const Case& c : {
             Case{{RemovalState::Removed, 0, ""}, "Orrery Atlas: removed."},
             Case{{RemovalState::Removed, 3010, ""},
                  "Orrery Atlas: removed. A restart is needed to complete it (exit code 3010)."},
             Case{{RemovalState::StillRegistered, 1602, ""},
                  "Orrery Atlas: still registered. It was cancelled (exit code 1602)."},
             Case{{RemovalState::StillRegistered, 5, ""},
                  "Orrery Atlas: still registered. Exit code 5."},
             Case{{RemovalState::NotStarted, 0, "Cannot start \"o.exe\". Access is denied."},
                  "Orrery Atlas: could not start. Cannot start \"o.exe\". Access is denied."},
             Case{{RemovalState::Stopped, 0, ""}, "Orrery Atlas: stopped before it ran."},
         })
        EXPECT_EQ(c.line, removalResultLine(removal, c.result));
}

TEST_F(RemovalQueueRun, TheSummaryCountsWhatWasRemoved) {
    RemovalQueue& q = queueOf({"Orrery", "Quill"});
    q.start();
    q.stop();
    endJob(0);
    EXPECT_EQ("1 of 2 programs were removed.\n"
              "Orrery App: removed.\n"
              "Quill App: stopped before it ran.\n",
              removalSummaryText(q));
}

TEST(RemovalTexts, TheQuestionListsTheFirstFifteenAndSaysHowEachRuns) {
    std::vector<QueuedRemoval> removals(17);
    for (std::size_t i = 0; i < removals.size(); ++i) {
        removals[i].programName = "P" + std::to_string(i + 1);
        removals[i].commandLine = "p.exe";
        removals[i].quiet = i != 1;
    }
    removals[2].commandLine.reset();
    const std::string text = removalConfirmationText(removals);
    EXPECT_EQ(0u, text.find("Remove these 17 programs, one after another?\n\n"
                            "P1 (runs quietly)\n"
                            "P2 (shows its own uninstaller)\n"
                            "P3 (has no uninstaller; left alone)\n"
                            "P4 (runs quietly)\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("\nP15 (runs quietly)\nand 2 more\n\n")) << text;
    EXPECT_EQ(std::string::npos, text.find("P16"));
    EXPECT_NE(std::string::npos,
              text.find("\n\n15 run quietly, without a window. 1 shows its own uninstaller: "
                        "answer it, and the next one starts once it has ended. 1 has no "
                        "uninstaller and is left alone."))
        << text;
}

TEST(RemovalTexts, DeleteEntryOfSeveralAsksWithTheListOfTheirNames) {
    std::vector<std::string> names;
    for (int i = 1; i <= 16; ++i)
        names.push_back("P" + std::to_string(i));
    const std::string text = deleteEntriesConfirmationText(names);
    EXPECT_EQ(0u, text.find("This will remove the uninstall entries of these 16 programs from "
                            "the registry. It will not uninstall the applications. Are you sure "
                            "you want to do this?\n\nP1\nP2\n"))
        << text;
    EXPECT_EQ(text.size() - std::string("P15\nand 1 more\n").size(),
              text.find("P15\nand 1 more\n"));
}

} // namespace
} // namespace remvana
