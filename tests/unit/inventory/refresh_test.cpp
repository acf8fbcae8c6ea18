#include <gtest/gtest.h>

#include "contract/app_info_fields.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
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
        for (const TAppInfo& info : Inventory)
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

TEST_F(Refresh, AnUnopenableKeyKeepsItsNameAndStillGetsItsUsage) {
    entry("Locked", "Locked App");
    reg.denyFullAccess(HKLM, kStore + "\\Locked");
    usage("Locked", usageBytes(4));
    entry("Open", "Open App");
    refresh();
    ASSERT_EQ(2u, Inventory.size());
    EXPECT_EQ("Locked", Inventory[0].KeyName);
    EXPECT_EQ("", Inventory[0].DisplayName);
    EXPECT_EQ("occasionally", Inventory[0].FrequencyText);
    EXPECT_EQ("Open App", Inventory[1].DisplayName);
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

TEST_F(Refresh, AnOverlongUsageRecordStopsTheRefreshWithFilledElementsBeforeIt) {
    entry("A", "First");
    entry("B", "Second");
    entry("C", "Third");
    usage("B", std::vector<std::uint8_t>(553, 1));
    try {
        refresh();
        FAIL() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ("Invalid data type for 'SlowInfoCache'", e.what());
    }
    EXPECT_EQ(std::vector<std::string>({"clear", "heading", "disable"}), view.events);
    ASSERT_EQ(3u, Inventory.size());
    EXPECT_EQ("First", Inventory[0].DisplayName);
    EXPECT_EQ("", Inventory[2].KeyName);
}

TEST_F(Refresh, AMissingOrRefusingStoreIsARegistryError) {
    entry("A", "App");
    refresh();
    ASSERT_EQ(1u, Inventory.size());

    reg.denyFullAccess(HKLM, kStore);
    view = RecordingView();
    refresh();
    EXPECT_EQ(std::vector<std::string>({"clear", "heading", "disable", "registry error"}),
              view.events);
    EXPECT_TRUE(Inventory.empty());

    FakeRegistryFactory empty;
    view = RecordingView();
    refreshInventory(empty, locale, view);
    EXPECT_EQ("registry error", view.events.back());
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

TEST_F(Refresh, ReadsEachKeyInOneSweep) {
    for (int i = 0; i < 20; ++i) {
        entry("K" + std::to_string(i), "App");
        usage("K" + std::to_string(i), usageBytes(1));
    }
    refresh();
    EXPECT_EQ(40, reg.calls.sweeps);
    EXPECT_EQ(0, reg.calls.valueQueries);
}

} // namespace
} // namespace remvana
