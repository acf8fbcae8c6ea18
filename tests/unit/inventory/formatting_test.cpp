#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_shell.h"
#include "inventory/formatting.h"
#include "platform/conversion.h"

namespace remvana {

namespace {
// FILETIME of a UTC calendar time, computed independently of the code under test: the
// Unix epoch is 11,644,473,600 seconds after 1601-01-01.
std::int64_t fileTimeOfUnix(std::int64_t unixSeconds) {
    return (unixSeconds + 11'644'473'600LL) * 10'000'000LL;
}
} // namespace

TEST(FormatFileSize, BytesKilobytesAndDecimalMegabytes) {
    FakeLocale locale;
    const std::pair<std::int64_t, const char*> table[] = {
        {0, "0 b"},
        {1, "1 b"},
        {1'023, "1023 b"},
        {1'024, "1 Kb"},
        {1'535, "1 Kb"},
        {1'536, "2 Kb"},
        {999'999, "977 Kb"},
        {1'000'000, "1.00 Mb"},
        {1'004'999, "1.00 Mb"},
        {1'005'000, "1.01 Mb"},
        {1'234'567'890, "1234.57 Mb"},
        {9'223'372'036'854'775'807LL, "9223372036854.78 Mb"},
        {-1, "-1 b"},
        {-5'000'000, "-5000000 b"},
    };
    for (const auto& [size, text] : table)
        EXPECT_EQ(text, FormatFileSize(size, locale)) << size;
}

TEST(FormatFileSize, MegabytesUseTheLocaleDecimalSeparator) {
    FakeLocale locale;
    locale.decimal = ',';
    EXPECT_EQ("1234,57 Mb", FormatFileSize(1'234'567'890, locale));
    EXPECT_EQ("977 Kb", FormatFileSize(999'999, locale));
}

TEST(DateTime, EncodesDaysSinceTheEpochWithTheTimeAsFraction) {
    EXPECT_DOUBLE_EQ(0.0, EncodeDateTime({1899, 12, 30, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(2.75, EncodeDateTime({1900, 1, 1, 18, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(36526.5, EncodeDateTime({2000, 1, 1, 12, 0, 0, 0}));
    // Before the epoch the time of day still reads forward from midnight.
    EXPECT_DOUBLE_EQ(-1.25, EncodeDateTime({1899, 12, 29, 6, 0, 0, 0}));
    const SystemTime back = DecodeDateTime(EncodeDateTime({1601, 1, 1, 23, 59, 0, 0}));
    EXPECT_EQ(1601, back.year);
    EXPECT_EQ(1, back.day);
    EXPECT_EQ(23, back.hour);
    EXPECT_EQ(59, back.minute);
}

TEST(DateTime, RejectsDatesTheCalendarDoesNotHave) {
    for (const SystemTime& bad :
         {SystemTime{10000, 1, 1}, SystemTime{0, 1, 1}, SystemTime{2023, 2, 29},
          SystemTime{2024, 13, 1}, SystemTime{2024, 4, 31}}) {
        try {
            EncodeDateTime(bad);
            ADD_FAILURE() << bad.year << "-" << bad.month << "-" << bad.day;
        } catch (const ConversionError& error) {
            EXPECT_STREQ("Invalid argument to date encode", error.what());
        }
    }
    EXPECT_NO_THROW(EncodeDateTime({2024, 2, 29}));
    EXPECT_NO_THROW(EncodeDateTime({9999, 12, 31, 23, 59, 59, 999}));
}

TEST(DateTime, FileTimeBecomesTheLocalCalendarTime) {
    FakeClock clock;
    FakeLocale locale;
    // 2007-03-05 13:07:30 UTC, one hour east of UTC.
    const std::int64_t stamp = fileTimeOfUnix(1'173'100'050);
    clock.utcOffsetMinutes = 60;
    EXPECT_EQ("2007-03-05 14:07",
              FormatDateTimeText(FileTimeToLocalDateTime(clock, stamp), locale));
    // West of UTC, with the locale's own time separator; far enough west it is the day before.
    clock.utcOffsetMinutes = -300;
    locale.time = '.';
    EXPECT_EQ("2007-03-05 08.07",
              FormatDateTimeText(FileTimeToLocalDateTime(clock, stamp), locale));
    clock.utcOffsetMinutes = -14 * 60;
    EXPECT_EQ("2007-03-04 23.07",
              FormatDateTimeText(FileTimeToLocalDateTime(clock, stamp), locale));
}

TEST(DateTime, CalendarOfFileTimesAcrossLeapDaysAndCenturies) {
    const SystemTime leap = fileTimeToSystemTime(fileTimeOfUnix(951'825'600)); // 2000-02-29 12:00
    EXPECT_EQ(2000, leap.year);
    EXPECT_EQ(2, leap.month);
    EXPECT_EQ(29, leap.day);
    EXPECT_EQ(12, leap.hour);
    const SystemTime start = fileTimeToSystemTime(1);
    EXPECT_EQ(1601, start.year);
    EXPECT_EQ(1, start.month);
    EXPECT_EQ(1, start.day);
    const SystemTime end =
        fileTimeToSystemTime(fileTimeOfUnix(4'102'444'799)); // 2099-12-31 23:59:59
    EXPECT_EQ(2099, end.year);
    EXPECT_EQ(12, end.month);
    EXPECT_EQ(31, end.day);
    EXPECT_EQ(59, end.second);
}

TEST(DateTime, StampsBeyondTheYear9999CannotBeEncoded) {
    FakeClock clock;
    // 10000-01-01 00:00 UTC is 253,402,300,800 seconds after the Unix epoch.
    const std::int64_t year10000 = fileTimeOfUnix(253'402'300'800LL);
    EXPECT_THROW(FileTimeToLocalDateTime(clock, year10000), ConversionError);
    EXPECT_NO_THROW(FileTimeToLocalDateTime(clock, year10000 - 600'000'000));
    EXPECT_THROW(FileTimeToLocalDateTime(clock, INT64_MAX), ConversionError);
    // A zone east of UTC pushes the last minute of 9999 over the edge.
    clock.utcOffsetMinutes = 60;
    EXPECT_THROW(FileTimeToLocalDateTime(clock, year10000 - 600'000'000), ConversionError);
}

TEST(ComputerName, IsTheSystemsName) {
    FakeShell shell;
    shell.computerNameValue = "BUILD-07";
    EXPECT_EQ("BUILD-07", GetLocalComputerName(shell));
}

} // namespace remvana
