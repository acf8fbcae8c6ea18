#include <gtest/gtest.h>

#include "inventory/reading_progress.h"

namespace remvana {

TEST(ReadingProgress, TextCountsEntriesReadOfAll) {
    EXPECT_EQ("Reading programs: 4200 of 10000", readingProgressText(4200, 10000));
}

TEST(ReadingProgress, ShownOnlyOnceTheRefreshRunsLongThenPacedAndAlwaysAtTheEnd) {
    std::int64_t now = 1000;
    ReadingProgressPacer pacer([&now] { return now; });
    now += 499;
    EXPECT_FALSE(pacer.due(1, 100));
    EXPECT_FALSE(pacer.due(100, 100)); // a quick refresh never shows a count
    now += 1;
    EXPECT_TRUE(pacer.due(2, 100));
    now += 99;
    EXPECT_FALSE(pacer.due(3, 100));
    EXPECT_TRUE(pacer.due(100, 100)); // the last entry, once shown before
    now += 100;
    EXPECT_TRUE(pacer.due(100, 100));
}

} // namespace remvana
