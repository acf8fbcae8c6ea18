#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/fake_clock.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "inventory/list_fill.h"

namespace remvana {

namespace {

struct Row {
    std::string caption;
    TAppInfo* data;
    int image;
    std::vector<std::string> subItems;
};

// Records what the fill does to the window, in order.
class RecordingSink : public ProgramListSink {
  public:
    explicit RecordingSink(FakeShell& shell) : shell_(shell) {}

    void beginListUpdate() override {
        log.push_back("begin");
        ++depth;
    }
    void reserveImages(int count) override {
        log.push_back("reserve");
        reserved = count;
    }
    void endListUpdate() override {
        log.push_back("end");
        --depth;
    }
    int addImage(IconHandle icon) override {
        if (shell_.iconSource(icon) == failingSource) throw std::runtime_error("image list full");
        images.push_back(shell_.iconSource(icon));
        return static_cast<int>(images.size()); // image 0 is the generic one
    }
    void addRow(const std::string& caption, TAppInfo* data, int imageIndex,
                const std::vector<std::string>& subItems) override {
        EXPECT_GT(depth, 0) << "row added outside the update";
        rows.push_back({caption, data, imageIndex, subItems});
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
    std::vector<std::string> images;
    std::vector<Row> rows;
    std::map<int, std::string> status;
    int depth = 0;
    int reserved = -1;
    int width0 = 336;
    std::string failingSource;

  private:
    FakeShell& shell_;
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

    FakeShell shell;
    FakeRegistryFactory registry;
    FakeClock clock;
    FakeLocale locale;
    ListFillServices services{shell, registry, clock, locale};
    RecordingSink sink{shell};
    InventoryArray inventory;
};

} // namespace

TEST_F(ListFill, OneRowPerDisplayNameInsideOneUpdateThenWidthAndCount) {
    inventory.push_back(program("Zeta Player"));
    TAppInfo orphan = program("");
    orphan.UninstallString = "C:\\orphan\\uninst.exe";
    inventory.push_back(orphan);
    inventory.push_back(program("alpha tools"));
    inventory[2].FrequencyText = "rarely";
    // A subkey that could not be read is listed by its key name, so it can be deleted.
    TAppInfo unreadable = program("");
    unreadable.KeyName = "{Locked}";
    unreadable.KeyUnreadable = true;
    inventory.push_back(unreadable);

    EXPECT_EQ(3, fill());
    ASSERT_EQ(3u, sink.rows.size());
    EXPECT_EQ("Zeta Player", sink.rows[0].caption);
    EXPECT_EQ(&inventory[0], sink.rows[0].data);
    EXPECT_EQ(&inventory[2], sink.rows[1].data);
    EXPECT_EQ((std::vector<std::string>{"", "", "rarely"}), sink.rows[1].subItems);
    EXPECT_EQ("{Locked}", sink.rows[2].caption);
    EXPECT_EQ((std::vector<std::string>{"reserve", "begin", "end", "width", "status"}), sink.log);
    EXPECT_EQ(0, sink.reserved);
    EXPECT_EQ("3 programs available for uninstall", sink.status[1]);
}

TEST_F(ListFill, EmptyInventoryStillCountsAndNarrows) {
    EXPECT_EQ(0, fill());
    EXPECT_EQ("0 programs available for uninstall", sink.status[1]);
    EXPECT_EQ(321, sink.width0);
}

TEST_F(ListFill, EachFillNarrowsTheNameColumnBy15FromItsCurrentWidth) {
    inventory.push_back(program("A"));
    fill();
    EXPECT_EQ(321, sink.width0);
    fill();
    EXPECT_EQ(306, sink.width0);
    sink.width0 = 10;
    fill();
    EXPECT_EQ(0, sink.width0);
}

TEST_F(ListFill, SizeAndLastUsedCellsOnlyForPositiveValues) {
    inventory.push_back(program("Big", "", usage(1, 1'234'567'890, kMarch2007)));
    inventory.push_back(program("Zero", "", usage(1, 0, 0)));
    inventory.push_back(program("Negative", "", usage(1, -5, -kMarch2007)));
    inventory.push_back(program("Small", "", usage(0, 2'048, 1)));
    clock.utcOffsetMinutes = 60;
    fill();
    EXPECT_EQ((std::vector<std::string>{"1234.57 Mb", "2007-03-05 15:07", ""}),
              sink.rows[0].subItems);
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), sink.rows[1].subItems);
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), sink.rows[2].subItems);
    EXPECT_EQ("2 Kb", sink.rows[3].subItems[0]);
    EXPECT_EQ("1601-01-01 01:00", sink.rows[3].subItems[1]);
}

TEST_F(ListFill, DateBeyondTheYear9999LeavesTheCellEmptyAndTheFillGoesOn) {
    inventory.push_back(program("Broken", "", usage(0, 10, INT64_MAX)));
    inventory.push_back(program("Fine", "", usage(0, 10, kMarch2007)));
    EXPECT_EQ(2, fill());
    EXPECT_EQ("", sink.rows[0].subItems[1]);
    EXPECT_EQ("2007-03-05 14:07", sink.rows[1].subItems[1]);
}

TEST_F(ListFill, DisplayIconIsAppendedAndItsHandleReleased) {
    shell.addIcon("C:\\Apps\\one.exe", 0);
    shell.addIcon("C:\\Apps\\two.dll", 4);
    inventory.push_back(program("One", "C:\\Apps\\one.exe"));
    inventory.push_back(program("Two", "C:\\Apps\\two.dll,4"));
    inventory.push_back(program("Plain"));
    fill();
    EXPECT_EQ((std::vector<std::string>{"C:\\Apps\\one.exe,0", "C:\\Apps\\two.dll,4"}),
              sink.images);
    EXPECT_EQ(1, sink.rows[0].image);
    EXPECT_EQ(2, sink.rows[1].image);
    EXPECT_EQ(0, sink.rows[2].image);
    EXPECT_EQ(0u, shell.liveIconCount());
    EXPECT_EQ(0, shell.badDestroys);
}

TEST_F(ListFill, UsageRecordPathIsTriedOnlyWithoutDisplayIconAndWithHasName) {
    shell.addIcon("C:\\Apps\\used.exe", 0);
    // DisplayIcon names a file without icons (and no fallback icon exists): image 0, the
    // usage record's existing program is not tried.
    shell.addFile("C:\\Apps\\blank.dat");
    inventory.push_back(program("A", "C:\\Apps\\blank.dat", usage(1, 0, 0, "C:\\Apps\\used.exe")));
    // No DisplayIcon, HasName 0: image 0 although the path holds a program.
    inventory.push_back(program("B", "", usage(0, 0, 0, "C:\\Apps\\used.exe")));
    // No DisplayIcon, HasName set, the program exists: its icon.
    inventory.push_back(program("C", "", usage(1, 0, 0, "C:\\Apps\\used.exe")));
    // HasName set but the file is gone: image 0 without any lookup.
    inventory.push_back(program("D", "", usage(1, 0, 0, "C:\\Apps\\gone.exe")));
    fill();
    EXPECT_EQ(0, sink.rows[0].image);
    EXPECT_EQ(0, sink.rows[1].image);
    EXPECT_EQ(1, sink.rows[2].image);
    EXPECT_EQ(0, sink.rows[3].image);
    EXPECT_EQ((std::vector<std::string>{"C:\\Apps\\used.exe,0"}), sink.images);
    // Room was asked for the three rows that could have had an icon.
    EXPECT_EQ(3, sink.reserved);
    for (const auto& call : shell.extractCalls)
        EXPECT_NE("C:\\Apps\\gone.exe", call.file);
}

TEST_F(ListFill, IconIndexThatIsNoNumberCostsOnlyThatRowItsIcon) {
    shell.addIcon("C:\\Apps\\one.exe", 0);
    shell.addIcon("C:\\Apps\\three.exe", 0);
    inventory.push_back(program("One", "C:\\Apps\\one.exe"));
    inventory.push_back(program("Two", "C:\\Program Files\\A, B\\app.exe"));
    inventory.push_back(program("Three", "C:\\Apps\\three.exe"));
    EXPECT_EQ(3, fill());
    EXPECT_EQ(1, sink.rows[0].image);
    EXPECT_EQ(0, sink.rows[1].image);
    EXPECT_EQ(2, sink.rows[2].image);
    EXPECT_EQ("3 programs available for uninstall", sink.status[1]);
}

TEST_F(ListFill, AnyOtherFailureEndsTheFillWithTheUpdateClosed) {
    shell.addIcon("C:\\Apps\\one.exe", 0);
    shell.addIcon("C:\\Apps\\two.exe", 0);
    inventory.push_back(program("One", "C:\\Apps\\one.exe"));
    inventory.push_back(program("Two", "C:\\Apps\\two.exe"));
    sink.failingSource = "C:\\Apps\\two.exe,0";
    EXPECT_THROW(fill(), std::runtime_error);
    EXPECT_EQ(0, sink.depth);
    EXPECT_EQ(1u, sink.rows.size());
    EXPECT_EQ((std::vector<std::string>{"reserve", "begin", "end"}), sink.log);
    EXPECT_TRUE(sink.status.empty());
    EXPECT_EQ(0u, shell.liveIconCount());
}

} // namespace remvana
