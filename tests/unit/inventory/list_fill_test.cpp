#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_clock.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "inventory/list_fill.h"
#include "inventory/store_changes.h"

namespace remvana {

namespace {

struct Row {
    std::string caption;
    EntryId entry;
    int image;
    std::vector<std::string> subItems;
};

// Records what the fill does to the window, in order.
class RecordingSink : public ProgramListSink {
  public:
    void beginListUpdate() override {
        log.push_back("begin");
        ++depth;
    }
    void reserveRows(int count) override {
        log.push_back("reserve");
        reserved = count;
    }
    void endListUpdate() override {
        log.push_back("end");
        --depth;
    }
    void addRow(const std::string& caption, EntryId entry, int imageIndex,
                const std::vector<std::string>& subItems) override {
        EXPECT_GT(depth, 0) << "row added outside the update";
        if (caption == failingCaption) throw std::runtime_error("list full");
        rows.push_back({caption, entry, imageIndex, subItems});
    }
    bool hasRowOf(EntryId entry) override { return rowOf(entry) != rows.end(); }
    void removeRowsOf(const std::vector<EntryId>& entries) override {
        EXPECT_GT(depth, 0) << "rows removed outside the update";
        std::erase_if(rows, [&](const Row& row) {
            return std::find(entries.begin(), entries.end(), row.entry) != entries.end();
        });
    }
    void updateRow(const std::string& caption, EntryId entry, int imageIndex,
                   const std::vector<std::string>& subItems) override {
        EXPECT_GT(depth, 0) << "row changed outside the update";
        *rowOf(entry) = {caption, entry, imageIndex, subItems};
    }
    void sortAgain() override {
        EXPECT_EQ(0, depth) << "the bracket's end would undo the order";
        log.push_back("sort");
    }
    std::vector<Row>::iterator rowOf(EntryId entry) {
        return std::find_if(rows.begin(), rows.end(),
                            [entry](const Row& row) { return row.entry == entry; });
    }
    int columnWidth(int column) override { return column == 0 ? width0 : 70; }
    void setColumnWidth(int column, int width) override {
        log.push_back("width");
        if (column == 0) width0 = width;
    }
    void setStatusText(int panel, const std::string& text) override {
        log.push_back("status");
        status[panel] = text;
    }

    std::vector<std::string> log;
    std::vector<Row> rows;
    std::map<int, std::string> status;
    int depth = 0;
    int reserved = -1;
    int width0 = 336;
    std::string failingCaption;
};

void putLittleEndian(ArpCacheRecord& record, std::size_t offset, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        record.bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(value >> (8 * i));
}

ArpCacheRecord usage(std::int32_t hasName, std::int64_t size, std::int64_t lastUsed,
                     const std::string& imagePath = "") {
    ArpCacheRecord record;
    putLittleEndian(record, 0, ArpCacheRecord::kSize, 4);
    putLittleEndian(record, 4, static_cast<std::uint32_t>(hasName), 4);
    putLittleEndian(record, 8, static_cast<std::uint64_t>(size), 8);
    putLittleEndian(record, 16, static_cast<std::uint64_t>(lastUsed), 8);
    for (std::size_t i = 0; i < imagePath.size(); ++i)
        record.bytes[28 + 2 * i] = static_cast<std::uint8_t>(imagePath[i]);
    return record;
}

TAppInfo program(const std::string& name, const std::string& icon = "",
                 ArpCacheRecord record = {}) {
    TAppInfo info;
    info.KeyName = name.empty() ? "NoName" : name;
    info.DisplayName = name;
    info.DisplayIcon = icon;
    info.UsageRecord = record;
    return info;
}

// 2007-03-05 14:07:00 UTC as a FILETIME.
constexpr std::int64_t kMarch2007 = (1'173'103'620LL + 11'644'473'600LL) * 10'000'000LL;

class ListFill : public ::testing::Test {
  protected:
    int fill() { return FillProgramList(inventory, sink, services); }

    FakeClock clock;
    FakeLocale locale;
    ListFillServices services{clock, locale};
    RecordingSink sink;
    ProgramInventory inventory;
};

} // namespace

TEST_F(ListFill, OneRowPerDisplayNameInsideOneUpdateThenWidthAndCount) {
    inventory.add(program("Zeta Player"));
    TAppInfo orphan = program("");
    orphan.UninstallString = "C:\\orphan\\uninst.exe";
    inventory.add(orphan);
    inventory.add(program("alpha tools"));
    inventory[2].FrequencyText = "rarely";
    // A subkey that could not be read is listed by its key name, so it can be deleted.
    TAppInfo unreadable = program("");
    unreadable.KeyName = "{Locked}";
    unreadable.KeyUnreadable = true;
    inventory.add(unreadable);

    EXPECT_EQ(3, fill());
    ASSERT_EQ(3u, sink.rows.size());
    EXPECT_EQ("Zeta Player", sink.rows[0].caption);
    EXPECT_EQ(0u, sink.rows[0].entry);
    EXPECT_EQ(2u, sink.rows[1].entry);
    EXPECT_EQ((std::vector<std::string>{"", "", "rarely", "", "", "", "all users (64-bit)"}),
              sink.rows[1].subItems);
    EXPECT_EQ("{Locked}", sink.rows[2].caption);
    EXPECT_EQ((std::vector<std::string>{"reserve", "begin", "end", "width", "status"}), sink.log);
    EXPECT_EQ(3, sink.reserved);
    EXPECT_EQ("3 programs available for uninstall", sink.status[1]);
}

TEST_F(ListFill, EmptyInventoryStillCountsAndNarrows) {
    EXPECT_EQ(0, fill());
    EXPECT_EQ("0 programs available for uninstall", sink.status[1]);
    EXPECT_EQ(321, sink.width0);
}

TEST_F(ListFill, EachFillNarrowsTheNameColumnBy15FromItsCurrentWidth) {
    inventory.add(program("A"));
    fill();
    EXPECT_EQ(321, sink.width0);
    fill();
    EXPECT_EQ(306, sink.width0);
    sink.width0 = 10;
    fill();
    EXPECT_EQ(0, sink.width0);
}

TEST_F(ListFill, SizeAndLastUsedCellsOnlyForPositiveValues) {
    inventory.add(program("Big", "", usage(1, 1'234'567'890, kMarch2007)));
    inventory.add(program("Zero", "", usage(1, 0, 0)));
    inventory.add(program("Negative", "", usage(1, -5, -kMarch2007)));
    inventory.add(program("Small", "", usage(0, 2'048, 1)));
    clock.utcOffsetMinutes = 60;
    fill();
    EXPECT_EQ((std::vector<std::string>{"1234.57 Mb", "2007-03-05 15:07", "", "", "", "",
                                        "all users (64-bit)"}),
              sink.rows[0].subItems);
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "", "", "all users (64-bit)"}),
              sink.rows[1].subItems);
    EXPECT_EQ((std::vector<std::string>{"", "", "", "", "", "", "all users (64-bit)"}),
              sink.rows[2].subItems);
    EXPECT_EQ("2 Kb", sink.rows[3].subItems[0]);
    EXPECT_EQ("1601-01-01 01:00", sink.rows[3].subItems[1]);
}

TEST_F(ListFill, SizeFallsBackToTheEstimateAndTheChosenColumnsGetTheirValues) {
    TAppInfo estimated = program("Estimated");
    estimated.EstimatedSize = 1'234;
    estimated.Publisher = "Kelvane";
    estimated.DisplayVersion = "2.1";
    inventory.add(estimated);
    fill();
    EXPECT_EQ(
        (std::vector<std::string>{"1.26 Mb", "", "", "Kelvane", "2.1", "", "all users (64-bit)"}),
        sink.rows[0].subItems);
}

TEST_F(ListFill, DateBeyondTheYear9999LeavesTheCellEmptyAndTheFillGoesOn) {
    inventory.add(program("Broken", "", usage(0, 10, INT64_MAX)));
    inventory.add(program("Fine", "", usage(0, 10, kMarch2007)));
    EXPECT_EQ(2, fill());
    EXPECT_EQ("", sink.rows[0].subItems[1]);
    EXPECT_EQ("2007-03-05 14:07", sink.rows[1].subItems[1]);
}

// No icon is looked up during the fill: a row that may have one asks the list for it later.
TEST_F(ListFill, RowsThatMayHaveAnIconGetTheirImageOnDemand) {
    inventory.add(program("Icon", "C:\\Apps\\one.exe"));
    inventory.add(program("Used", "", usage(1, 0, 0, "C:\\Apps\\used.exe")));
    inventory.add(program("Nameless record", "", usage(0, 0, 0, "C:\\Apps\\used.exe")));
    inventory.add(program("Plain"));
    fill();
    EXPECT_EQ(kRowImageOnDemand, sink.rows[0].image);
    EXPECT_EQ(kRowImageOnDemand, sink.rows[1].image);
    EXPECT_EQ(0, sink.rows[2].image);
    EXPECT_EQ(0, sink.rows[3].image);
}

TEST_F(ListFill, AFailingRowEndsTheFillWithTheUpdateClosed) {
    inventory.add(program("One"));
    inventory.add(program("Two"));
    sink.failingCaption = "Two";
    EXPECT_THROW(fill(), std::runtime_error);
    EXPECT_EQ(0, sink.depth);
    EXPECT_EQ(1u, sink.rows.size());
    EXPECT_EQ((std::vector<std::string>{"reserve", "begin", "end"}), sink.log);
    EXPECT_TRUE(sink.status.empty());
}

// The rows follow the stores: a row for each entry that came or became listed, none for one
// that went or lost its name, new texts for a changed one, then the user's order again.
TEST_F(ListFill, RowsFollowWhatAnUpdateOfTheStoresChanged) {
    const std::string store = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    const FakeHive hive{RegRoot::LocalMachine, RegView::Bits64};
    FakeRegistryFactory reg;
    for (const char* key : {"Alder", "Birch", "Cedar", "Elm"})
        reg.setString(hive, store + key, "DisplayName", std::string(key) + " Tool");
    reg.setString(hive, store + "Fir", "Publisher", "no name yet");
    ASSERT_TRUE(inventory.rebuild(reg, locale));
    fill();
    sink.log.clear();

    reg.setString(hive, store + "Alder", "DisplayName", "Alder Tool 2");
    auto machine = reg.create(RegRoot::LocalMachine, reg_access::AllAccess | reg_access::View64);
    ASSERT_EQ(DeleteOutcome::Removed, machine->deleteKey("\\" + store + "Birch"));
    machine->openKey("\\" + store + "Cedar");
    ASSERT_TRUE(machine->deleteValue("DisplayName"));
    reg.setString(hive, store + "Fir", "DisplayName", "Fir Tool");
    reg.setString(hive, store + "Dogwood", "DisplayName", "Dogwood Tool");
    InventoryChanges changes;
    ASSERT_TRUE(inventory.update(reg, locale, {}, changes));
    followInventoryChanges(inventory, changes, sink, services);

    std::vector<std::string> captions;
    for (const Row& row : sink.rows)
        captions.push_back(row.caption);
    EXPECT_EQ((std::vector<std::string>{"Alder Tool 2", "Elm Tool", "Fir Tool", "Dogwood Tool"}),
              captions);
    EXPECT_EQ(0u, sink.rows[0].entry) << "the changed row is the same row";
    EXPECT_EQ((std::vector<std::string>{"begin", "end", "sort"}), sink.log);
}

} // namespace remvana
