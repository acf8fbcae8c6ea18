#include <gtest/gtest.h>

#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "inventory/reading_progress.h"
#include "inventory/refresh.h"

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

namespace {
// Records the progress a refresh reports, and that it all came before the fill.
class ProgressView : public RefreshView {
  public:
    void clearRows() override {}
    void setDetailsHeading(const std::string&) override {}
    void disableEntryButtons() override {}
    void fillList() override { filled = true; }
    void reportRegistryErrorAndExit() override {}
    void readingProgress(std::size_t done, std::size_t total) override {
        EXPECT_FALSE(filled);
        reports.emplace_back(done, total);
    }
    std::vector<std::pair<std::size_t, std::size_t>> reports;
    bool filled = false;
};
} // namespace

TEST(ReadingProgress, TheRefreshReportsEachEntryReadBeforeTheFill) {
    FakeRegistryFactory registry;
    FakeLocale locale;
    for (const char* key : {"A", "B", "C"})
        registry.setString(
            RegRoot::LocalMachine,
            std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + key,
            "DisplayName", key);
    ProgressView view;
    refreshInventory(registry, locale, view);
    using Report = std::pair<std::size_t, std::size_t>;
    EXPECT_EQ((std::vector<Report>{{1, 3}, {2, 3}, {3, 3}}), view.reports);
    EXPECT_TRUE(view.filled);
    Inventory.clear();
}

} // namespace remvana
