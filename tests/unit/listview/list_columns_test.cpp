#include <gtest/gtest.h>

#include "widgets/listview/list_columns.h"

namespace remvana {

TEST(ListColumns, NameColumnTakesWhatTheOthersLeave) {
    EXPECT_EQ(240, nameColumnWidth(480, 70, 100, 70));
    EXPECT_EQ(336, nameColumnWidth(576, 70, 100, 70));
    EXPECT_EQ(0, nameColumnWidth(200, 70, 100, 70));
    const int chosen[] = {70, 150, 90};
    EXPECT_EQ(270, nameColumnWidth(580, chosen));
    EXPECT_EQ(580, nameColumnWidth(580, {})); // the name column alone
    EXPECT_STREQ("Application Name", kProgramListColumns[0].caption);
    EXPECT_EQ(ColumnAlignment::Right, kProgramListColumns[2].alignment);
}

TEST(ListColors, TheListsOwnUntilHighContrastThenTheSystems) {
    EXPECT_EQ((ListColors{kListBackground, kListTextColor, kDimmedTextColor, kHeaderColor,
                          kHeaderDivider, systemColor(kColorWindowText)}),
              listColors(false));
    EXPECT_EQ((ListColors{systemColor(kColorWindow), systemColor(kColorWindowText),
                          systemColor(kColorGrayText), systemColor(kColorBtnFace),
                          systemColor(kColorBtnText), systemColor(kColorBtnText)}),
              listColors(true));
}

TEST(HeaderPaint, ItemIsFilledDividedAndInset) {
    const HeaderItemPaint paint =
        planHeaderItem({240, 0, 310, 19}, 1, 4, -2, ColumnAlignment::Right, 580);
    EXPECT_EQ(240, paint.fill.left);
    EXPECT_EQ(310, paint.fill.right);
    EXPECT_EQ(309, paint.dividerX);
    EXPECT_EQ(242, paint.text.left);
    EXPECT_EQ(308, paint.text.right);
    EXPECT_EQ(1, paint.text.top);
    EXPECT_EQ(18, paint.text.bottom);
    EXPECT_TRUE(paint.trailingFill.empty());
    EXPECT_EQ(ColumnAlignment::Right, paint.alignment);
}

TEST(HeaderPaint, MarkedColumnIndentsItsCaptionBy16) {
    const HeaderItemPaint marked =
        planHeaderItem({0, 0, 240, 19}, 0, 4, 0, ColumnAlignment::Left, 580);
    EXPECT_EQ(18, marked.text.left);
    EXPECT_EQ(238, marked.text.right);
    const HeaderItemPaint other =
        planHeaderItem({0, 0, 240, 19}, 0, 4, 2, ColumnAlignment::Left, 580);
    EXPECT_EQ(2, other.text.left);
    // At 150 % the mark's room is 24 pixels.
    EXPECT_EQ(2 + 24,
              planHeaderItem({0, 0, 240, 29}, 0, 4, 0, ColumnAlignment::Left, 580, 144).text.left);
}

TEST(HeaderPaint, LastColumnAlsoFillsTheRestOfTheHeader) {
    const HeaderItemPaint last =
        planHeaderItem({410, 0, 480, 19}, 3, 4, -2, ColumnAlignment::Right, 580);
    EXPECT_EQ(478, last.trailingFill.left);
    EXPECT_EQ(580, last.trailingFill.right);
    EXPECT_EQ(1, last.trailingFill.top);
    EXPECT_EQ(18, last.trailingFill.bottom);
}

} // namespace remvana
