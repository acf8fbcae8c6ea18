#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_locale.h"
#include "inventory/program_columns.h"

namespace remvana {
namespace {

void setInstalledSize(TAppInfo& entry, std::int64_t size) {
    for (int i = 0; i < 8; ++i)
        entry.UsageRecord.bytes[8 + i] =
            static_cast<std::uint8_t>(static_cast<std::uint64_t>(size) >> (8 * i));
}

TEST(ProgramColumns, SizeIsTheUsageRecordsElseTheEstimateInKilobytes) {
    struct Case {
        std::int64_t recorded;
        std::uint32_t estimateKb;
        std::int64_t listed;
        const char* cell;
    };
    const Case cases[] = {
        {5'000, 1'234, 5'000, "5 Kb"},                       // the record wins
        {0, 1'234, 1'263'616, "1.26 Mb"},                    // the estimate, times 1,024
        {-1, 1, 1'024, "1 Kb"},                              // a damaged record size counts as none
        {0, 0xFFFFFFFF, 4'398'046'510'080, "4398046.51 Mb"}, // no overflow of 32 bits
        {0, 0, 0, ""},
    };
    FakeClock clock;
    FakeLocale locale;
    for (const Case& c : cases) {
        TAppInfo entry;
        setInstalledSize(entry, c.recorded);
        entry.EstimatedSize = c.estimateKb;
        EXPECT_EQ(c.listed, listedSizeOf(entry)) << c.recorded << " " << c.estimateKb;
        EXPECT_EQ(c.cell, programCellText(ProgramColumn::Size, entry, clock, locale));
    }
}

TEST(ProgramColumns, EachColumnShowsItsValue) {
    FakeClock clock;
    FakeLocale locale;
    locale.shortDate = "dd.MM.yyyy";
    TAppInfo entry;
    entry.KeyName = "App_is1";
    entry.Publisher = "Kelvane";
    entry.DisplayVersion = "2.0 beta";
    entry.InstallDate = "20240229";
    entry.FrequencyText = "rarely";
    entry.Store = kUserStore;
    const auto cell = [&](ProgramColumn column) {
        return programCellText(column, entry, clock, locale);
    };
    EXPECT_EQ("App_is1", cell(ProgramColumn::Name)); // no display name: the key name
    EXPECT_EQ("", cell(ProgramColumn::LastUsed));
    EXPECT_EQ("rarely", cell(ProgramColumn::Frequency));
    EXPECT_EQ("Kelvane", cell(ProgramColumn::Publisher));
    EXPECT_EQ("2.0 beta", cell(ProgramColumn::Version));
    EXPECT_EQ("29.02.2024", cell(ProgramColumn::InstalledOn));
    EXPECT_EQ("this user only", cell(ProgramColumn::RegisteredFor));
    EXPECT_EQ((std::vector<std::string>{"", "", "rarely", "Kelvane", "2.0 beta", "29.02.2024",
                                        "this user only"}),
              programRowTexts(entry, clock, locale));

    // Only a real yyyymmdd date is reformatted; every other shape is shown as written.
    for (const char* asWritten : {"20230229", "20241301", "2024-02-29", "2/29/2024", "2024022"}) {
        entry.InstallDate = asWritten;
        EXPECT_EQ(asWritten, cell(ProgramColumn::InstalledOn));
    }
}

} // namespace
} // namespace remvana
