// The job service and the store watch over the real system: an NSIS uninstaller that
// copies itself is followed to its copy's end; another process's writes are heard once.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "installers.h"
#include "machine_keys.h"
#include "platform/win32/command_jobs_win32.h"
#include "platform/win32/store_watch_win32.h"

namespace remvana {
namespace {

using namespace std::chrono_literals;

TEST(Win32CommandJobs, AnUninstallerThatCopiesItselfIsWaitedForUntilItsCopyEnds) {
    ASSERT_EQ(0u, testing::installQuillmarkNotes());
    const std::string key = testing::kUninstallStore + testing::kQuillmarkKey;
    ASSERT_TRUE(testing::machineKeyExists(key, KEY_WOW64_64KEY));

    Win32CommandJobs jobs;
    std::promise<std::uint32_t> ended;
    std::atomic<bool> keyGoneAtEnd{false};
    char programFiles[MAX_PATH] = {};
    ExpandEnvironmentStringsA("%ProgramFiles%", programFiles, MAX_PATH);
    const std::string uninstaller =
        testing::quotedPath(std::string(programFiles) + "\\Quillmark Notes\\uninst.exe") + " /S";
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(jobs.startJob(uninstaller, SW_HIDE, [&](std::uint32_t code) {
        keyGoneAtEnd = !testing::machineKeyExists(key, KEY_WOW64_64KEY);
        ended.set_value(code);
    })) << jobs.lastStartError();
    std::future<std::uint32_t> exitCode = ended.get_future();
    ASSERT_EQ(std::future_status::ready, exitCode.wait_for(60s));
    EXPECT_EQ(0u, exitCode.get());
    // The first process exits at once; the copy waits 1.5 s before it removes the key.
    EXPECT_TRUE(keyGoneAtEnd);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1400ms);
}

TEST(Win32CommandJobs, ACommandThatCannotStartSaysWhy) {
    Win32CommandJobs jobs;
    bool called = false;
    EXPECT_FALSE(jobs.startJob("C:\\no\\such\\uninstaller.exe /S", SW_HIDE,
                               [&](std::uint32_t) { called = true; }));
    EXPECT_FALSE(jobs.lastStartError().empty());
    EXPECT_FALSE(called);
}

// Waits up to five seconds for the count of reports to reach `count`, then as long as a
// report too many would take to come.
void waitForReports(const std::atomic<int>& reports, int count) {
    for (int waited = 0; reports < count && waited < 50; ++waited)
        std::this_thread::sleep_for(100ms);
    std::this_thread::sleep_for(800ms);
}

TEST(Win32StoreWatch, ABurstOfWritesIsOneReportAndAnotherProcesssWriteIsHeard) {
    const std::string key = testing::kUninstallStore + "RemvanaWatch Burst";
    std::atomic<int> reports{0};
    const auto waitFor = [&](int count) { waitForReports(reports, count); };
    {
        Win32StoreWatch watch(
            {WatchedKey{RegRoot::LocalMachine, RegView::Bits64,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"}},
            500, [&] { ++reports; });
        std::this_thread::sleep_for(300ms); // the watch thread arms its notifications
        EXPECT_EQ(0, reports) << "nothing happened: nothing reported";
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(testing::setMachineString(
                key, (std::string("V") + std::to_string(i)).c_str(), "x"));
        waitFor(1);
        EXPECT_EQ(1, reports) << "twenty writes in a row";
        std::string add = "reg.exe add ";
        add += testing::quotedPath("HKLM\\" + key);
        ASSERT_EQ(0u, testing::runToEnd(add + " /v Other /d y /f /reg:64"));
        waitFor(2);
        watch.hearNow(); // nothing changed, and still reported
        waitFor(3);
    }
    EXPECT_EQ(3, reports);
    testing::deleteMachineTree(key, KEY_WOW64_64KEY);
}

// A per-user store is often missing on a fresh profile: it is heard of once an installer
// creates it, and again after it went and came back.
TEST(Win32StoreWatch, AKeyMissingAtTheStartIsFollowedOnceItIsCreated) {
    const std::string top = "SOFTWARE\\RemvanaWatch Later";
    const std::string store = top + "\\Not\\Yet";
    testing::deleteMachineTree(top);
    const std::vector<std::pair<std::function<void()>, const char*>> steps{
        {[&] { testing::setMachineString(store); }, "the store appeared (three keys at once)"},
        {[&] { testing::setMachineString(store + "\\Entry", "DisplayName", "x"); },
         "a write in the store, now watched itself"},
        {[&] { testing::deleteMachineTree(top); }, "the store went"},
        {[&] { testing::setMachineString(store + "\\Entry", "DisplayName", "y"); },
         "the store came back"},
    };
    std::atomic<int> reports{0};
    Win32StoreWatch watch({WatchedKey{RegRoot::LocalMachine, RegView::Default, store}}, 300,
                          [&] { ++reports; });
    std::this_thread::sleep_for(300ms);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        waitForReports(reports, static_cast<int>(i) + 1);
        EXPECT_EQ(static_cast<int>(i) + 1, reports) << steps[i].second;
    }
    testing::deleteMachineTree(top);
}

} // namespace
} // namespace remvana
