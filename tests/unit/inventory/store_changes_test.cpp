#include <gtest/gtest.h>

#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "inventory/reading_slices.h"
#include "inventory/refresh.h"
#include "inventory/store_changes.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
const FakeHive kHive64{RegRoot::LocalMachine, RegView::Bits64};
const FakeHive kHive32{RegRoot::LocalMachine, RegView::Bits32};
const FakeHive kUserHive{RegRoot::CurrentUser};

std::vector<std::uint8_t> usedTimes(std::uint8_t times) {
    std::vector<std::uint8_t> record(552, 0);
    record[24] = times;
    return record;
}

// What tells two reads of an entry apart, in inventory order.
std::vector<std::string> signature(ProgramInventory& inventory) {
    std::vector<std::string> lines;
    for (const EntryId id : inventory.ids()) {
        const TAppInfo& e = inventory.entry(id);
        lines.push_back(e.KeyName + "|" + std::string(storeAudience(e.Store)) + "|" +
                        e.DisplayName + "|" + e.FrequencyText + "|" +
                        std::to_string(e.KeyWriteTime) + "|" + std::to_string(e.UsageWriteTime));
    }
    return lines;
}

class StoreChanges : public testing::Test {
  protected:
    void SetUp() override {
        program(kHive64, "Alder", "Alder Mail");
        program(kHive64, "Cedar", "Cedar Notes");
        program(kHive32, "Birch", "Birch Ledger");
        program(kUserHive, "Elm", "Elm Player");
        reg.setBinary(kHive64, kCache + "Cedar", "SlowInfoCache", usedTimes(1));
        ASSERT_TRUE(inventory.rebuild(reg, locale));
    }
    void program(FakeHive hive, const std::string& key, const std::string& name) {
        reg.setString(hive, kStore + key, "DisplayName", name);
    }
    bool update(const KeepAsItIs& keep = {}) {
        return inventory.update(reg, locale, keep, changes);
    }
    std::vector<std::string> fullRead() {
        ProgramInventory fresh;
        EXPECT_TRUE(fresh.rebuild(reg, locale));
        return signature(fresh);
    }
    EntryId idOf(const UninstallStore& store, const std::string& key) {
        return inventory.find(store, key).value_or(kNoEntry);
    }
    static constexpr EntryId kNoEntry = 99;

    FakeRegistryFactory reg;
    FakeLocale locale;
    ProgramInventory inventory;
    InventoryChanges changes;
};

TEST_F(StoreChanges, NewGoneAndChangedSubkeysAreReadAndNothingElse) {
    // Ids 0 .. 3 in key-name order: Alder, Birch, Cedar, Elm.
    program(kHive32, "Dogwood", "Dogwood Draw");                              // new
    reg.setString(kHive64, kStore + "Alder", "DisplayName", "Alder Mail 2");  // changed
    reg.setBinary(kHive64, kCache + "Cedar", "SlowInfoCache", usedTimes(12)); // usage changed
    reg.createKey(kHive64, kStore + "Alder\\Components"); // a key added below: Alder again
    // Gone: deleted through an accessor, as another program would.
    auto user = reg.create(RegRoot::CurrentUser, reg_access::AllAccess);
    ASSERT_EQ(DeleteOutcome::Removed, user->deleteKey("\\" + kStore + "Elm"));
    // Birch is untouched: were it read again, it would now read as unreadable.
    reg.allowOnly(kHive32, kStore + "Birch", 0);
    const int countsBefore = reg.calls.valueCounts;

    ASSERT_TRUE(update());
    inventory.completeAll(); // what the update left for later
    // Alder, Cedar and Dogwood: the rest of each key read list first is read once.
    EXPECT_EQ(3, reg.calls.valueCounts - countsBefore);
    reg.allowOnly(kHive32, kStore + "Birch", 0xFFFFFFFFu);
    EXPECT_EQ(fullRead(), signature(inventory));
    // Every entry kept keeps its id; the gone one's id names nothing and is not given again.
    EXPECT_EQ((std::vector<EntryId>{0, 1, 2, 4}), inventory.ids());
    EXPECT_EQ("Birch Ledger", inventory.entry(1).DisplayName);
    EXPECT_EQ("frequently", inventory.entry(2).FrequencyText);
    EXPECT_FALSE(inventory.holds(3));
    EXPECT_EQ(std::vector<EntryId>{idOf(kMachineStore32, "Dogwood")}, changes.added);
    EXPECT_EQ(std::vector<EntryId>{3}, changes.removed);
    EXPECT_EQ((std::vector<EntryId>{0, 2}), changes.changed);
}

TEST_F(StoreChanges, WhatAnUpdateReadsIsCompletedAndCheckedByTheReadingAfterIt) {
    FakeShell shell;
    std::int64_t now = 0;
    ReadingInSlices reading(inventory, shell, [&now] { return now++; });
    const auto readToTheEnd = [&] {
        const std::uint64_t generation = reading.start();
        while (reading.run(generation, 1).more) {
        }
    };
    readToTheEnd();
    program(kHive32, "Dogwood", "Dogwood Draw");
    reg.setString(kHive64, kStore + "Alder", "DisplayName", "Alder Mail 2");
    auto user = reg.create(RegRoot::CurrentUser, reg_access::AllAccess);
    ASSERT_EQ(DeleteOutcome::Removed, user->deleteKey("\\" + kStore + "Elm")); // id 3 gone
    const int restsBefore = reg.calls.valueCounts;                             // one per rest read
    ASSERT_TRUE(update());
    EXPECT_EQ(restsBefore, reg.calls.valueCounts) << "the update reads what the list shows";
    const EntryId dogwood = idOf(kMachineStore32, "Dogwood");
    EXPECT_EQ("Dogwood Draw", inventory.listed(dogwood).displayName());
    EXPECT_FALSE(inventory.listed(dogwood).health().checked);

    readToTheEnd();
    EXPECT_EQ(2, reg.calls.valueCounts - restsBefore) << "Alder and Dogwood, nothing else";
    for (const EntryId id : inventory.ids())
        EXPECT_TRUE(inventory.listed(id).health().checked) << id;
    EXPECT_EQ(fullRead(), signature(inventory));
}

TEST_F(StoreChanges, NothingChangedReadsNoEntry) {
    const std::vector<std::string> before = signature(inventory);
    const int sweepsBefore = reg.calls.sweeps;
    ASSERT_TRUE(update());
    EXPECT_FALSE(changes.any());
    EXPECT_EQ(before, signature(inventory));
    EXPECT_EQ(sweepsBefore, reg.calls.sweeps);
}

TEST_F(StoreChanges, AStoreThatCannotBeOpenedAnyMoreLosesItsEntries) {
    reg.allowOnly(kUserHive, kStore, 0);
    ASSERT_TRUE(update());
    EXPECT_EQ(std::vector<EntryId>{3}, changes.removed);
    EXPECT_EQ(3u, inventory.size());

    for (FakeHive hive : {kHive64, kHive32})
        reg.allowOnly(hive, kStore, 0);
    EXPECT_FALSE(update());
    EXPECT_EQ(3u, inventory.size()) << "no store at all: nothing to compare with";
}

TEST_F(StoreChanges, AnEntryWithUnsavedEditsIsKeptAndMarked) {
    inventory.entry(0).PendingPublisher = "Typed here";
    const auto unsaved = [](const TAppInfo& e) { return !e.PendingPublisher.empty(); };
    reg.setString(kHive64, kStore + "Alder", "DisplayName", "Renamed elsewhere");
    ASSERT_TRUE(update(unsaved));
    EXPECT_EQ(std::vector<EntryId>{0}, changes.keptAsTheyWere);
    EXPECT_EQ("Alder Mail", inventory.entry(0).DisplayName);
    EXPECT_EQ("Typed here", inventory.entry(0).PendingPublisher);
    EXPECT_TRUE(inventory.entry(0).ChangedElsewhere);

    // Gone meanwhile: still kept while the edits are there.
    auto machine = reg.create(RegRoot::LocalMachine, reg_access::AllAccess | reg_access::View64);
    ASSERT_EQ(DeleteOutcome::Removed, machine->deleteKey("\\" + kStore + "Alder"));
    changes = {};
    ASSERT_TRUE(update(unsaved));
    EXPECT_EQ("Alder", inventory.entry(0).KeyName);
    EXPECT_TRUE(changes.removed.empty());

    // Without the edits a full read shows the truth again, unmarked.
    inventory.entry(0).PendingPublisher.clear();
    ASSERT_TRUE(update(unsaved));
    EXPECT_EQ(fullRead(), signature(inventory));
}

// Of a list-first read, an entry nothing happened to still waits for the rest of its values,
// and is then read whole through the registry as it is now.
TEST_F(StoreChanges, AnUnchangedEntryStillHalfReadIsCompletedLater) {
    ASSERT_TRUE(inventory.rebuild(reg, locale, ScanDepth::ListFirst));
    program(kHive64, "Aspen", "Aspen Paint");
    ASSERT_TRUE(update());
    reg.setString(kHive32, kStore + "Birch", "Comments", "written meanwhile");
    const int opensBefore = reg.calls.opens;
    const EntryId birch = idOf(kMachineStore32, "Birch");
    ASSERT_EQ(1u, birch);
    ASSERT_EQ(std::vector<EntryId>{4}, changes.added);
    EXPECT_EQ("written meanwhile", inventory.entry(birch).Comments);
    EXPECT_EQ(0, reg.calls.opens - opensBefore); // through the key its first step opened
}

// The readings another thread offers reach the window once each, the newest only, and one
// begun before the window's own whole read is not applied over it.
TEST_F(StoreChanges, TheHandoffGivesTheNewestReadingOnceAndDropsOneOlderThanAWholeRead) {
    using Outcome = StoresNowHandoff::Outcome;
    StoresNowHandoff handoff;
    EXPECT_EQ(Outcome::Nothing, handoff.take().outcome);

    program(kHive64, "Dogwood", "Dogwood Draw");
    handoff.offer(handoff.mark(), readStoresNow(reg));
    program(kHive64, "Fir", "Fir Sketch");
    handoff.offer(handoff.mark(), readStoresNow(reg)); // replaces the first
    StoresNowHandoff::Taken taken = handoff.take();
    ASSERT_EQ(Outcome::Fresh, taken.outcome);
    ASSERT_TRUE(inventory.update(std::move(*taken.stores), reg, locale, {}, changes));
    EXPECT_EQ(2u, changes.added.size());
    EXPECT_EQ(fullRead(), signature(inventory));
    EXPECT_EQ(Outcome::Nothing, handoff.take().outcome) << "taken once";

    const std::uint64_t before = handoff.mark();
    handoff.storesRead();
    handoff.offer(before, readStoresNow(reg));
    EXPECT_EQ(Outcome::Dropped, handoff.take().outcome);
    handoff.offer(handoff.mark(), std::nullopt);
    EXPECT_EQ(Outcome::Failed, handoff.take().outcome);
}

} // namespace
} // namespace remvana
