#include <gtest/gtest.h>

#include "contract/app_info_fields.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "inventory/program_inventory.h"
#include "inventory/reading_slices.h"
#include "inventory/refresh.h"

namespace remvana {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kCache = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";

class RecordingView : public RefreshView {
  public:
    void clearRows() override {
        events.push_back("clear");
        inventoryAtClear = Inventory.size();
    }
    void setDetailsHeading(const std::string& line0) override {
        events.push_back("heading");
        heading = line0;
    }
    void disableEntryButtons() override { events.push_back("disable"); }
    void fillList() override {
        events.push_back("fill");
        inventoryAtFill = Inventory.size();
    }
    void reportRegistryErrorAndExit() override { events.push_back("registry error"); }

    std::vector<std::string> events;
    std::size_t inventoryAtClear = 0;
    std::size_t inventoryAtFill = 0;
    std::string heading;
};

std::vector<std::uint8_t> usageBytes(std::int32_t timesUsed, std::size_t size = 552) {
    std::vector<std::uint8_t> bytes(size, 0);
    const auto raw = static_cast<std::uint32_t>(timesUsed);
    for (std::size_t i = 0; i < 4 && 24 + i < size; ++i)
        bytes[24 + i] = static_cast<std::uint8_t>(raw >> (8 * i));
    return bytes;
}

class Refresh : public testing::Test {
  protected:
    void SetUp() override { Inventory.clear(); }
    void TearDown() override { Inventory.clear(); }

    void entry(const std::string& key, const std::string& displayName = "") {
        reg.createKey(HKLM, kStore + "\\" + key);
        if (!displayName.empty())
            reg.setString(HKLM, kStore + "\\" + key, "DisplayName", displayName);
    }
    void usage(const std::string& key, std::vector<std::uint8_t> bytes) {
        reg.setBinary(HKLM, kCache + "\\" + key, "SlowInfoCache", std::move(bytes));
    }
    void refresh() { refreshInventory(reg, locale, view); }
    std::vector<std::string> keyNames() const {
        std::vector<std::string> names;
        for (const TAppInfo& info : Inventory.completeAll())
            names.push_back(info.KeyName);
        return names;
    }

    FakeRegistryFactory reg;
    FakeLocale locale;
    RecordingView view;
};

TEST_F(Refresh, ResetsTheWindowBeforeTouchingInventoryThenFills) {
    entry("Old", "Old");
    refresh();
    reg.createKey(HKLM, kStore + "\\New");
    view = RecordingView();
    refresh();
    EXPECT_EQ(std::vector<std::string>({"clear", "heading", "disable", "fill"}), view.events);
    EXPECT_EQ(1u, view.inventoryAtClear); // rows went while the old elements still lived
    EXPECT_EQ(2u, view.inventoryAtFill);
    EXPECT_EQ("<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\"><IMG src=\"idx:1\" align=\"top\"> "
              "Properties</p>",
              view.heading);
}

TEST_F(Refresh, OrdersKeysIgnoringCaseKeepingTheirSpelling) {
    for (const char* key : {"b", "A", "c", "Zeta", "alpha"})
        entry(key);
    refresh();
    EXPECT_EQ(std::vector<std::string>({"A", "alpha", "b", "c", "Zeta"}), keyNames());
}

TEST(SortedUniqueNames, NamesEqualIgnoringCaseAppearOnce) {
    FakeLocale locale;
    const auto names = sortedUniqueNames({"beta", "Alpha", "BETA", "alpha", "gamma"}, locale);
    // The sort is stable, so the first of equal names is the one kept.
    EXPECT_EQ(std::vector<std::string>({"Alpha", "beta", "gamma"}), names);
}

TEST_F(Refresh, FillsEveryFieldFromItsOwnValue) {
    const std::string key = kStore + "\\Full";
    for (const auto& [name, field] : kExpectedTextFields)
        reg.setString(HKLM, key, name, name + " text");
    std::uint32_t n = 100;
    for (const auto& [name, field] : kExpectedIntegerFields)
        reg.setDword(HKLM, key, name, n++);

    refresh();
    ASSERT_EQ(1u, Inventory.size());
    const TAppInfo& info = Inventory[0];
    EXPECT_EQ("Full", info.KeyName);
    for (const auto& [name, field] : kExpectedTextFields)
        EXPECT_EQ(name + " text", info.*field) << name;
    n = 100;
    for (const auto& [name, field] : kExpectedIntegerFields)
        EXPECT_EQ(static_cast<std::int32_t>(n++), info.*field) << name;
}

TEST_F(Refresh, TakesEachFieldOnlyFromTheKindsItAccepts) {
    const std::string key = kStore + "\\Kinds";
    reg.setMultiString(HKLM, key, "DisplayName", {"Multi"});
    reg.setBinary(HKLM, key, "Publisher", {'P', 0});
    reg.setDword(HKLM, key, "Comments", 5);
    reg.setExpandString(HKLM, key, "DisplayIcon", "%ProgramFiles%\\App\\app.exe,1");
    reg.setString(HKLM, key, "NoRemove", "1");
    reg.setDword(HKLM, key, "NoModify", 0xFFFFFFFFu);
    reg.setRaw(HKLM, key, "NoRepair", reg_type::Qword, {1, 0, 0, 0, 0, 0, 0, 0});
    reg.setRaw(HKLM, key, "Contact", reg_type::String, {'a', 0, 'b', 0});
    reg.setString(HKLM, key, "displayversion", "1.0"); // names ignore case

    refresh();
    const TAppInfo& info = Inventory.at(0);
    EXPECT_EQ("", info.DisplayName);
    EXPECT_EQ("", info.Publisher);
    EXPECT_EQ("", info.Comments);
    EXPECT_EQ("%ProgramFiles%\\App\\app.exe,1", info.DisplayIcon);
    EXPECT_EQ(0, info.NoRemove);
    EXPECT_EQ(-1, info.NoModify);
    EXPECT_EQ(0, info.NoRepair);
    EXPECT_EQ("a", info.Contact);
    EXPECT_EQ("1.0", info.DisplayVersion);
}

TEST_F(Refresh, AKeyWithoutValuesKeepsOnlyItsName) {
    entry("Bare");
    refresh();
    ASSERT_EQ(1u, Inventory.size());
    const TAppInfo& info = Inventory[0];
    EXPECT_EQ("Bare", info.KeyName);
    EXPECT_EQ("", info.DisplayName);
    EXPECT_EQ("", info.UninstallString);
    EXPECT_EQ(0, info.WindowsInstaller);
    EXPECT_EQ("", info.FrequencyText);
    EXPECT_EQ(ArpCacheRecord{}.bytes, info.UsageRecord.bytes);
}

TEST_F(Refresh, AnUnopenableKeyIsListedByNameAndStillGetsItsUsage) {
    entry("Locked", "Locked App");
    reg.allowOnly(HKLM, kStore + "\\Locked", 0);
    usage("Locked", usageBytes(4));
    entry("Open", "Open App");
    refresh();
    ASSERT_EQ(2u, Inventory.size());
    EXPECT_EQ("Locked", Inventory[0].KeyName);
    EXPECT_TRUE(Inventory[0].KeyUnreadable);
    EXPECT_EQ("", Inventory[0].DisplayName);
    EXPECT_EQ("occasionally", Inventory[0].FrequencyText);
    EXPECT_EQ("Open App", Inventory[1].DisplayName);
    EXPECT_FALSE(Inventory[1].KeyUnreadable);
}

// Only the record's own 552 bytes are taken: what a longer value holds beyond them must not
// reach whatever lies after the record.
TEST(UsageRecordBytes, ALongerValueLeavesWhatFollowsTheRecordUntouched) {
    struct {
        ArpCacheRecord record;
        std::array<std::uint8_t, 64> after{};
    } probe;
    std::vector<std::uint8_t> stored(ArpCacheRecord::kSize + 48, 0xA5);
    stored[ArpCacheRecord::kSize - 1] = 0x5A;
    applyUsageRecord(stored, probe.record);
    EXPECT_EQ(0x5A, probe.record.bytes.back());
    EXPECT_EQ((std::array<std::uint8_t, 64>{}), probe.after);
}

TEST_F(Refresh, NothingStoredInOneSubkeyHidesItOrItsNeighbours) {
    const std::string longest(255, 'L');
    for (const std::string& key : {std::string("A"), longest, std::string("M"), std::string("Z")})
        entry(key, key.substr(0, 3) + " App");
    std::vector<std::uint8_t> overlong = usageBytes(12, 600);
    overlong[551] = 0x5A;
    usage("A", overlong); // a usage record longer than its layout: the leading 552 bytes
    usage(longest, usageBytes(1));
    // An integer stored with eight bytes reads as absent, the entry stays.
    reg.setRaw(HKLM, kStore + "\\M", "NoRemove", reg_type::Dword, {1, 0, 0, 0, 0, 0, 0, 0});
    reg.setRaw(HKLM, kStore + "\\M", "WindowsInstaller", reg_type::Dword, {1, 0});
    reg.setDword(HKLM, kStore + "\\M", "NoModify", 1);

    refresh();
    EXPECT_EQ("fill", view.events.back());
    ASSERT_EQ(std::vector<std::string>({"A", longest, "M", "Z"}), keyNames());
    EXPECT_EQ("frequently", Inventory[0].FrequencyText);
    EXPECT_EQ(0x5A, Inventory[0].UsageRecord.bytes[551]);
    EXPECT_EQ("LLL App", Inventory[1].DisplayName);
    EXPECT_EQ("rarely", Inventory[1].FrequencyText);
    EXPECT_EQ("M App", Inventory[2].DisplayName);
    EXPECT_EQ(0, Inventory[2].NoRemove);
    EXPECT_EQ(0, Inventory[2].WindowsInstaller);
    EXPECT_EQ(1, Inventory[2].NoModify);
    EXPECT_EQ("Z App", Inventory[3].DisplayName);
}

// Windows' word sort ignores a soft hyphen and equates a sharp s with "ss".
class WordSortLocale : public FakeLocale {
  public:
    int compareIgnoreCase(const std::string& a, const std::string& b) override {
        return FakeLocale::compareIgnoreCase(folded(a), folded(b));
    }

  private:
    static std::string folded(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '\xAD') continue;
            out += c == '\xDF' ? std::string("ss") : std::string(1, c);
        }
        return out;
    }
};

TEST_F(Refresh, KeysTheLocaleCallsEqualAreAllListed) {
    WordSortLocale wordSort;
    for (const char* key : {"Strasse",
                            "Stra\xDF"
                            "e",
                            "Tool",
                            "To\xAD"
                            "ol",
                            "TOOL"})
        entry(key);
    refreshInventory(reg, wordSort, view);
    // Only "TOOL" is the registry's own duplicate of "Tool" (created as the same key).
    EXPECT_EQ(std::vector<std::string>({"Strasse",
                                        "Stra\xDF"
                                        "e",
                                        "Tool",
                                        "To\xAD"
                                        "ol"}),
              keyNames());
}

TEST(FrequencyText, ClassesByUseCount) {
    const std::vector<std::pair<std::int32_t, std::string>> cases = {
        {INT32_MIN, ""},     {-1, ""},           {0, ""},
        {1, "rarely"},       {2, "rarely"},      {3, "occasionally"},
        {9, "occasionally"}, {10, "frequently"}, {200, "frequently"}};
    for (const auto& [times, text] : cases)
        EXPECT_EQ(text, frequencyTextOf(times)) << times;
}

TEST_F(Refresh, UsageRecordsOfEachShape) {
    for (const char* key : {"Exact", "Short", "Text", "NoCache", "NoValue"})
        entry(key);
    std::vector<std::uint8_t> exact = usageBytes(10);
    exact[551] = 0x7F;
    usage("Exact", exact);
    usage("Short", usageBytes(2, 26)); // ends inside TimesUsed
    reg.setString(HKLM, kCache + "\\Text", "SlowInfoCache", "12");
    reg.setDword(HKLM, kCache + "\\NoValue", "Other", 1);

    refresh();
    ASSERT_EQ(5u, Inventory.size());
    const TAppInfo& exactInfo = Inventory[0];
    EXPECT_EQ("Exact", exactInfo.KeyName);
    EXPECT_EQ(0x7F, exactInfo.UsageRecord.bytes[551]);
    EXPECT_EQ("frequently", exactInfo.FrequencyText);
    for (std::size_t i : {1u, 2u, 4u}) { // NoCache, NoValue, Text
        EXPECT_EQ(ArpCacheRecord{}.bytes, Inventory[i].UsageRecord.bytes) << Inventory[i].KeyName;
        EXPECT_EQ("", Inventory[i].FrequencyText);
    }
    const TAppInfo& shortInfo = Inventory[3];
    EXPECT_EQ("Short", shortInfo.KeyName);
    EXPECT_EQ(2, shortInfo.UsageRecord.timesUsed()); // bytes 24, 25 stored, 26 on zero
    EXPECT_EQ("rarely", shortInfo.FrequencyText);
}

TEST_F(Refresh, AReadOnlyStoreListsEveryEntryAndOnlyNoStoreAtAllIsARegistryError) {
    entry("A", "App");
    entry("B", "Bee");
    reg.denyFullAccess(HKLM, kStore);
    reg.denyFullAccess(HKLM, kStore + "\\A");
    refresh();
    EXPECT_EQ("fill", view.events.back());
    ASSERT_EQ(2u, Inventory.size());
    EXPECT_EQ("App", Inventory[0].DisplayName);

    FakeRegistryFactory empty;
    view = RecordingView();
    refreshInventory(empty, locale, view);
    EXPECT_EQ(std::vector<std::string>({"clear", "heading", "disable", "registry error"}),
              view.events);
    EXPECT_TRUE(Inventory.empty());
}

TEST_F(Refresh, ReadsAllThreeStoresIntoOneNameOrder) {
    const FakeHive hklm32(HKLM, RegView::Bits32);
    entry("Beta", "Beta 64");
    entry("Same", "Same 64");
    reg.setString(hklm32, kStore + "\\Alpha", "DisplayName", "Alpha 32");
    reg.setString(hklm32, kStore + "\\Same", "DisplayName", "Same 32");
    reg.setBinary(hklm32, kCache + "\\Same", "SlowInfoCache", usageBytes(10));
    reg.setString(RegRoot::CurrentUser, kStore + "\\Same", "DisplayName", "Same mine");
    reg.setString(RegRoot::CurrentUser, kStore + "\\Gamma", "DisplayName", "Gamma mine");
    usage("Same", usageBytes(1));

    refresh();
    ASSERT_EQ(std::vector<std::string>({"Alpha", "Beta", "Gamma", "Same", "Same", "Same"}),
              keyNames());
    const std::vector<std::pair<std::string, UninstallStore>> expected = {
        {"Alpha 32", kMachineStore32}, {"Beta 64", kMachineStore64}, {"Gamma mine", kUserStore},
        {"Same 64", kMachineStore64},  {"Same 32", kMachineStore32}, {"Same mine", kUserStore}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, Inventory[i].DisplayName);
        EXPECT_TRUE(expected[i].second == Inventory[i].Store) << i;
    }
    // Each store's usage records are its own.
    EXPECT_EQ("rarely", Inventory[3].FrequencyText);
    EXPECT_EQ("frequently", Inventory[4].FrequencyText);
    EXPECT_EQ("", Inventory[5].FrequencyText);
}

TEST_F(Refresh, AMachineWithOneViewHasItsMachineStoreReadOnce) {
    reg.separate32BitView = false; // both views are the one store
    entry("Only", "Only App");
    refresh();
    ASSERT_EQ(1u, Inventory.size()); // and no per-user store at all is no error
    EXPECT_TRUE(kMachineStore32 == Inventory[0].Store);
}

TEST_F(Refresh, AnEmptyStoreGivesAnEmptyInventoryAndStillFills) {
    reg.createKey(HKLM, kStore);
    refresh();
    EXPECT_TRUE(Inventory.empty());
    EXPECT_EQ("fill", view.events.back());
}

TEST_F(Refresh, RepeatsIdenticallyAndDropsPendingEdits) {
    entry("X", "Xylophone");
    reg.setDword(HKLM, kStore + "\\X", "NoRemove", 1);
    usage("X", usageBytes(7));
    refresh();
    Inventory[0].PendingDisplayName = "Edited";
    refresh();
    ASSERT_EQ(1u, Inventory.size());
    EXPECT_EQ("", Inventory[0].PendingDisplayName);
    EXPECT_EQ("Xylophone", Inventory[0].DisplayName);
    EXPECT_EQ(1, Inventory[0].NoRemove);
    EXPECT_EQ("occasionally", Inventory[0].FrequencyText);
}

// A usage record is one query, and only an entry the usage key lists has one to open.
TEST_F(Refresh, ReadsEachKeyInOneSweepAndEachUsageRecordInOneQuery) {
    for (int i = 0; i < 20; ++i) {
        entry("K" + std::to_string(i), "App");
        if (i % 4 == 0) usage("K" + std::to_string(i), usageBytes(1));
    }
    refresh();
    EXPECT_EQ(20, reg.calls.sweeps);
    EXPECT_EQ(5, reg.calls.valueQueries);
    const int opensBefore = reg.calls.opens;
    refresh();
    const int opensPerRefresh = reg.calls.opens - opensBefore;
    for (int i = 20; i < 30; ++i)
        entry("K" + std::to_string(i), "App");
    const int opensWithTen = reg.calls.opens;
    refresh();
    EXPECT_EQ(opensPerRefresh + 10, reg.calls.opens - opensWithTen);
}

// Everything a scan reads into an entry, for comparing two reads of the same keys.
void expectSameRead(const TAppInfo& want, const TAppInfo& got) {
    EXPECT_EQ(want.KeyName, got.KeyName);
    for (const auto& [name, field] : kExpectedTextFields)
        EXPECT_EQ(want.*field, got.*field) << want.KeyName << " " << name;
    for (const auto& [name, field] : kExpectedIntegerFields)
        EXPECT_EQ(want.*field, got.*field) << want.KeyName << " " << name;
    EXPECT_EQ(want.EstimatedSize, got.EstimatedSize) << want.KeyName;
    EXPECT_EQ(want.KeyUnreadable, got.KeyUnreadable) << want.KeyName;
    EXPECT_EQ(want.UsageRecord.bytes, got.UsageRecord.bytes) << want.KeyName;
    EXPECT_EQ(want.FrequencyText, got.FrequencyText) << want.KeyName;
}

// Scanned in part and reached through the inventory (one by one, or all at once), each
// entry holds what a scan of everything reads from the keys as they are when it is reached,
// a key deleted and written anew in between included.
TEST_F(Refresh, AnEntryReachedBeforeItsRestIsReadHoldsWhatAFullScanReads) {
    const std::string full = kStore + "\\Full";
    for (const auto& [name, field] : kExpectedTextFields)
        reg.setString(HKLM, full, name, name + " text");
    std::uint32_t n = 100;
    for (const auto& [name, field] : kExpectedIntegerFields)
        reg.setDword(HKLM, full, name, n++);
    reg.setDword(HKLM, full, "EstimatedSize", 4096);
    usage("Full", usageBytes(12));
    const std::string kinds = kStore + "\\Kinds";
    reg.setMultiString(HKLM, kinds, "DisplayName", {"Multi"});
    reg.setBinary(HKLM, kinds, "Publisher", {'P', 0});
    reg.setExpandString(HKLM, kinds, "DisplayIcon", "%ProgramFiles%\\App\\app.exe,1");
    entry("Bare");
    entry("Later", "Later App");
    reg.setString(HKLM, kStore + "\\Later", "UninstallString", "later.exe");
    usage("Later", usageBytes(3));
    entry("Locked", "Locked App");
    reg.allowOnly(HKLM, kStore + "\\Locked", 0);

    for (const ScanDepth depth : {ScanDepth::ListFirst, ScanDepth::DisplayNames}) {
        for (const bool oneByOne : {true, false}) {
            ProgramInventory partial;
            ASSERT_TRUE(partial.rebuild(reg, locale, depth));
            ASSERT_EQ(5u, partial.size());
            if (depth == ScanDepth::ListFirst) {
                EXPECT_EQ("Publisher text", partial.listed(1).publisher()); // Full
                EXPECT_EQ("frequently", partial.listed(1).frequencyText());
                EXPECT_EQ("DisplayVersion text", partial.listed(1).displayVersion());
                EXPECT_EQ("InstallDate text", partial.listed(1).installDate());
                EXPECT_EQ(4096u, partial.listed(1).estimatedSize());
            } else {
                EXPECT_THROW(partial.listed(1).publisher(), std::logic_error);
            }
            // Reinstalled meanwhile: the key the first step read is gone, another took its name.
            const std::string later = kStore + "\\Later";
            ASSERT_EQ(DeleteOutcome::Removed,
                      reg.create(HKLM, reg_access::AllAccess)->deleteKey("\\" + later));
            reg.setString(HKLM, later, "DisplayName", "Later App 2");
            reg.setString(HKLM, later, "UninstallString", "later2.exe");
            InventoryArray reached;
            if (oneByOne) {
                for (EntryId id = 0; id < partial.size(); ++id)
                    reached.push_back(partial.entry(id));
            } else {
                reached = partial.completeAll();
            }
            InventoryArray whole;
            ASSERT_TRUE(rebuildInventory(reg, locale, whole));
            ASSERT_EQ(whole.size(), reached.size());
            for (std::size_t i = 0; i < whole.size(); ++i)
                expectSameRead(whole[i], reached[i]);
        }
    }
}

// The rest of a list-first read goes through the subkey the first step opened, asks for none
// of the values read then, and stops asking once the key's value count is reached. A key
// with a value no field takes, and too few values for every name to be worth asking, is
// swept instead.
TEST_F(Refresh, TheRestIsReadThroughTheKeptKeyAskingOnlyForWhatIsLeft) {
    entry("Plain", "Plain App");
    reg.setString(HKLM, kStore + "\\Plain", "InstallLocation", "C:\\Plain");
    reg.setDword(HKLM, kStore + "\\Plain", "NoModify", 1);
    entry("Unusual", "Unusual App");
    reg.setString(HKLM, kStore + "\\Unusual", "QuietUninstallString", "quiet.exe");
    reg.setString(HKLM, kStore + "\\Unusual", "Comments", "swept");
    ProgramInventory partial;
    ASSERT_TRUE(partial.rebuild(reg, locale, ScanDepth::ListFirst));
    const FakeRegistryCalls before = reg.calls;

    const TAppInfo& plain = partial.entry(0);
    EXPECT_EQ("C:\\Plain", plain.InstallLocation);
    EXPECT_EQ(1, plain.NoModify);
    EXPECT_EQ("Plain App", plain.DisplayName);
    // UninstallString (absent), InstallLocation and NoModify, then the count is reached.
    EXPECT_EQ(1, reg.calls.valueCounts - before.valueCounts);
    EXPECT_EQ(3, reg.calls.valueQueries - before.valueQueries);
    EXPECT_EQ(0, reg.calls.sweeps - before.sweeps);

    EXPECT_EQ("swept", partial.entry(1).Comments);
    EXPECT_EQ(1, reg.calls.sweeps - before.sweeps);
    EXPECT_EQ(0, reg.calls.opens - before.opens);
}

TEST_F(Refresh, AReadingReplacedMidwayLeavesOnlyTheNewReadsEntries) {
    auto write = [&](const char* key, const char* comments) {
        entry(key, key);
        reg.setString(HKLM, kStore + "\\" + key, "Comments", comments);
    };
    for (const char* key : {"A", "B", "C"})
        write(key, "old");
    ProgramInventory inventory;
    FakeShell shell;
    std::int64_t now = 0;
    ReadingInSlices reading(inventory, shell, [&now] { return now++; }); // an entry a slice
    ASSERT_TRUE(inventory.rebuild(reg, locale, ScanDepth::ListFirst));
    const std::uint64_t first = reading.start();
    ASSERT_TRUE(reading.run(first, 1).more);

    for (const char* key : {"A", "B", "C", "D"})
        write(key, "new");
    ASSERT_TRUE(inventory.rebuild(reg, locale, ScanDepth::ListFirst));
    const std::uint64_t second = reading.start();
    EXPECT_FALSE(reading.run(first, 100).more); // the replaced reading's next slice
    for (EntryId id = 0; id < inventory.size(); ++id)
        EXPECT_FALSE(inventory.listed(id).health().checked) << id;
    std::size_t slices = 1;
    while (reading.run(second, 1).more)
        ++slices;
    EXPECT_EQ(4u, slices);
    EXPECT_TRUE(reading.done());

    InventoryArray whole;
    ASSERT_TRUE(rebuildInventory(reg, locale, whole));
    ASSERT_EQ(whole.size(), inventory.size());
    for (EntryId id = 0; id < inventory.size(); ++id) {
        EXPECT_TRUE(inventory.listed(id).health().checked) << id;
        expectSameRead(whole[id], inventory.entry(id));
    }
}

} // namespace
} // namespace remvana
