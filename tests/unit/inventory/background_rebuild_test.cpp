#include "inventory/background_rebuild.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "inventory/refresh.h"

namespace remvana {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::vector<std::string> keyNames(ProgramInventory& inventory) {
    std::vector<std::string> names;
    for (const TAppInfo& info : inventory.completeAll())
        names.push_back(info.KeyName + "=" + info.DisplayName + "/" + info.Comments);
    return names;
}

// The reading thread holds at its first wake until the test lets it go, so the test can
// change the stores and start again while the first read is half-way.
class BackgroundRebuildTest : public testing::Test {
  protected:
    void write(const std::string& key, const std::string& comments) {
        reg.setString(HKLM, kStore + "\\" + key, "DisplayName", key);
        reg.setString(HKLM, kStore + "\\" + key, "Comments", comments);
    }
    void wake() {
        std::unique_lock<std::mutex> lock(mutex);
        ++wakes;
        woken.notify_all();
        woken.wait(lock, [this] { return released; });
    }
    void waitForFirstWake() {
        std::unique_lock<std::mutex> lock(mutex);
        woken.wait(lock, [this] { return wakes > 0; });
    }
    void release() {
        std::lock_guard<std::mutex> lock(mutex);
        released = true;
        woken.notify_all();
    }

    FakeRegistryFactory reg;
    FakeLocale locale;
    std::mutex mutex;
    std::condition_variable woken;
    int wakes = 0;
    bool released = false;
    std::int64_t clock = 0; // only the reading thread reads it: every entry's progress is due
    BackgroundRebuild rebuild{reg, locale, [this] { wake(); }, [this] { return clock += 1000; }};
};

TEST_F(BackgroundRebuildTest, AReadReplacedMidwayHandsOutOnlyTheNewOne) {
    for (const char* key : {"A", "B", "C"})
        write(key, "old");
    rebuild.start(ScanDepth::ListFirst);
    waitForFirstWake(); // the first read holds after one entry
    EXPECT_TRUE(rebuild.running());
    EXPECT_EQ(BackgroundRebuild::Outcome::Nothing, rebuild.take().outcome);

    for (const char* key : {"A", "C", "D"})
        write(key, "new");
    ASSERT_EQ(DeleteOutcome::Removed,
              reg.create(HKLM, reg_access::AllAccess)->deleteKey("\\" + kStore + "\\B"));
    release();
    rebuild.start(ScanDepth::ListFirst);
    rebuild.wait([] {});
    BackgroundRebuild::Taken taken = rebuild.take();
    ASSERT_EQ(BackgroundRebuild::Outcome::Read, taken.outcome);
    EXPECT_EQ((std::vector<std::string>{"A=A/new", "C=C/new", "D=D/new"}),
              keyNames(*taken.inventory));
    EXPECT_FALSE(rebuild.running());
    EXPECT_EQ(BackgroundRebuild::Outcome::Nothing, rebuild.take().outcome) << "taken once";
}

TEST_F(BackgroundRebuildTest, NoStoreToOpenIsToldAndAShownInventoryIsSwappedIn) {
    release();
    rebuild.start(ScanDepth::ListFirst);
    rebuild.wait([] {});
    EXPECT_EQ(BackgroundRebuild::Outcome::NoStore, rebuild.take().outcome);

    write("A", "x");
    rebuild.start(ScanDepth::ListFirst);
    rebuild.wait([] {});
    BackgroundRebuild::Taken taken = rebuild.take();
    ASSERT_EQ(BackgroundRebuild::Outcome::Read, taken.outcome);
    Inventory.clear();
    Inventory.add(TAppInfo{});
    class Ignoring : public RefreshView {
        void clearRows() override {}
        void setDetailsHeading(const std::string&) override {}
        void disableEntryButtons() override {}
        void fillList() override {}
        void reportRegistryErrorAndExit() override {}
    } view;
    showRebuiltInventory(*taken.inventory, view);
    EXPECT_EQ(std::vector<std::string>{"A=A/x"}, keyNames(Inventory));
    EXPECT_EQ(1u, taken.inventory->size()) << "the old entries are left with the read";
    Inventory.clear();
}

} // namespace
} // namespace remvana
