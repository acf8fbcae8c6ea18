#include <gtest/gtest.h>

#include "inventory/column_layout.h"

namespace remvana {
namespace {

using PC = ProgramColumn;

std::vector<PC> columnsOf(const ColumnLayout& layout) {
    std::vector<PC> columns;
    for (const ShownColumn& c : layout.shown())
        columns.push_back(c.column);
    return columns;
}

TEST(ColumnLayout, StartsWithTheFourColumnsAndKeepsTheNameColumnFirst) {
    ColumnLayout layout;
    EXPECT_EQ("name:240,size:70,lastused:100,frequency:70", layout.text());

    EXPECT_FALSE(layout.toggle(PC::Name));
    EXPECT_TRUE(layout.toggle(PC::Version));
    EXPECT_TRUE(layout.toggle(PC::Size));
    EXPECT_EQ((std::vector{PC::Name, PC::LastUsed, PC::Frequency, PC::Version}), columnsOf(layout));

    EXPECT_FALSE(layout.reorder({PC::Version, PC::Name, PC::LastUsed, PC::Frequency}));
    EXPECT_FALSE(layout.reorder({PC::Name, PC::Version, PC::Version, PC::Frequency}));
    EXPECT_FALSE(layout.reorder({PC::Name, PC::Version, PC::Size, PC::Frequency}));
    EXPECT_FALSE(layout.reorder({PC::Name, PC::Version}));
    EXPECT_TRUE(layout.reorder({PC::Name, PC::Version, PC::Frequency, PC::LastUsed}));
    EXPECT_EQ("name:240,version:90,frequency:70,lastused:100", layout.text());
}

TEST(ColumnLayout, TheMenuOffersEveryColumnWithTheNameColumnFixed) {
    ColumnLayout layout;
    layout.toggle(PC::Version);
    const std::vector<ColumnMenuItem> menu = columnMenuOf(layout);
    ASSERT_EQ(kProgramColumns.size(), menu.size());
    std::string offered;
    for (const ColumnMenuItem& item : menu)
        offered += std::string(item.caption) + (item.checked ? "+" : "-") +
                   (item.enabled ? "" : "(fixed)") + " ";
    EXPECT_EQ("Application Name+(fixed) Size+ Last Used+ Frequency+ Publisher- Version+ "
              "Installed On- Registered for- ",
              offered);
}

TEST(ColumnLayout, WidthsAreKeptAt96DpiAndShownScaled) {
    ColumnLayout layout;
    layout.toggle(PC::Publisher);
    EXPECT_EQ(225, layout.widthAt(PC::Publisher, 144)); // 150 at 150 %
    layout.setWidthAt(PC::Size, 300, 192);              // dragged to 300 px at 200 %
    EXPECT_EQ(150, layout.widthAt(PC::Size, 96));
    EXPECT_EQ(225, layout.widthAt(PC::Size, 144));
    layout.setWidthAt(PC::Size, -5, 96);
    EXPECT_EQ(0, layout.widthAt(PC::Size, 96));
}

TEST(ColumnLayout, TextRoundTripsAndAnythingDamagedGivesTheDefault) {
    ColumnLayout chosen;
    chosen.toggle(PC::Publisher);
    chosen.toggle(PC::RegisteredFor);
    chosen.toggle(PC::LastUsed);
    chosen.setWidthAt(PC::Publisher, 0, 96);
    EXPECT_EQ(chosen, ColumnLayout::fromText(chosen.text()));
    // A column a later version added is skipped, the rest kept.
    EXPECT_EQ("name:240,version:90",
              ColumnLayout::fromText("name:240,rating:50,version:90").text());

    for (const char* damaged :
         {"", "name", "name:", "name:abc", "name:-1", "name:10001", "name:99999999999999",
          "size:70,name:240", "name:240,size:70,size:80", "name:240,", ",name:240",
          "name:240;size:70", "name:240,size: 70", "rating:50", "NAME:240"})
        EXPECT_EQ(ColumnLayout(), ColumnLayout::fromText(damaged)) << damaged;
}

} // namespace
} // namespace remvana
