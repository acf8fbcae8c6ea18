#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "fakes/fake_locale.h"
#include "inventory/column_order.h"

namespace remvana {
namespace {

TEST(ColumnOrder, VersionsCompareByTheirNumericParts) {
    struct Case {
        const char* lower;
        const char* higher;
    };
    const Case cases[] = {
        {"1.9", "1.10"},
        {"1.10", "1.10.1"},
        {"2.0", "2.0 beta"},
        {"2.0.1", "2.0 beta"},
        {"2.0 alpha", "2.0 Beta"},
        {"9", "10.0"},
        {"1.0", "1.00"},
        {"v1.2", "v1.12"},
        {"18446744073709551616", "18446744073709551617"},
        {"007", "8"},
        {"", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_LT(compareVersionText(c.lower, c.higher), 0) << c.lower << " < " << c.higher;
        EXPECT_GT(compareVersionText(c.higher, c.lower), 0) << c.higher << " > " << c.lower;
    }
    EXPECT_EQ(0, compareVersionText("3.1", "3.1"));
}

// The captions of `entries` sorted by `column`, empties last.
std::vector<std::string> sortedBy(ProgramColumn column, std::vector<TAppInfo> entries,
                                  bool descending) {
    FakeLocale locale;
    std::stable_sort(entries.begin(), entries.end(), [&](const TAppInfo& a, const TAppInfo& b) {
        return cellSortsBefore(column, cellSortKey(column, a), cellSortKey(column, b), descending,
                               locale);
    });
    std::vector<std::string> names;
    for (const TAppInfo& e : entries)
        names.push_back(e.DisplayName);
    return names;
}

TAppInfo named(const std::string& name) {
    TAppInfo entry;
    entry.DisplayName = name;
    return entry;
}

TEST(ColumnOrder, EachColumnSortsByWhatItsCellsMeanWithEmptyCellsLast) {
    using Names = std::vector<std::string>;
    std::vector<TAppInfo> e{named("a"), named("b"), named("c"), named("d")};
    struct Case {
        ProgramColumn column;
        std::function<void(std::vector<TAppInfo>&)> set;
        Names ascending, descending;
    };
    const Case cases[] = {
        {ProgramColumn::InstalledOn,
         [](auto& v) {
             v[0].InstallDate = "20240105";
             v[1].InstallDate = "";
             v[2].InstallDate = "20231231";
             v[3].InstallDate = "soon"; // not a date: after the dates
         },
         {"c", "a", "d", "b"},
         {"d", "a", "c", "b"}},
        {ProgramColumn::Size, // 2 Kb estimated beats 1,500 bytes recorded
         [](auto& v) {
             v[0].EstimatedSize = 2;
             v[1].UsageRecord.bytes[8] = 0xDC;
             v[1].UsageRecord.bytes[9] = 0x05;
         },
         {"b", "a", "c", "d"},
         {"a", "b", "c", "d"}},
        {ProgramColumn::RegisteredFor,
         [](auto& v) {
             v[0].Store = kUserStore;
             v[1].Store = kMachineStore32;
             v[2].Store = kMachineStore64;
             v[3].Store = kMachineStore32;
         },
         {"c", "b", "d", "a"},
         {"a", "b", "d", "c"}},
        {ProgramColumn::Version,
         [](auto& v) {
             v[0].DisplayVersion = "1.10";
             v[2].DisplayVersion = "1.9";
             v[3].DisplayVersion = "1.9.1";
         },
         {"c", "d", "a", "b"},
         {"a", "d", "c", "b"}},
        {ProgramColumn::Publisher, // the locale's word order, not capitals first
         [](auto& v) {
             v[0].Publisher = "beta";
             v[1].Publisher = "Alpha";
             v[2].Publisher = "Gamma";
         },
         {"b", "a", "c", "d"},
         {"c", "a", "b", "d"}},
    };
    for (const Case& c : cases) {
        std::vector<TAppInfo> entries = e;
        c.set(entries);
        EXPECT_EQ(c.ascending, sortedBy(c.column, entries, false)) << specOf(c.column).caption;
        EXPECT_EQ(c.descending, sortedBy(c.column, entries, true)) << specOf(c.column).caption;
    }
}

} // namespace
} // namespace remvana
