#include <gtest/gtest.h>

#include "platform/conversion.h"
#include "platform/date_time_text.h"

namespace remvana {
namespace {

std::string ymd(const std::optional<SystemTime>& t) {
    if (!t) return "none";
    return std::to_string(t->year) + "-" + std::to_string(t->month) + "-" + std::to_string(t->day);
}

TEST(DateTimeText, DatesReadInTheShortDateFormatsOrder) {
    DateTimeFormats us;
    DateTimeFormats german{"dd.MM.yyyy", "HH:mm:ss", "", ""};
    DateTimeFormats iso{"yyyy-MM-dd", "HH:mm:ss", "", ""};
    EXPECT_EQ("2021-3-4", ymd(tryStrToDate("3/4/2021", us)));
    EXPECT_EQ("2021-4-3", ymd(tryStrToDate(" 03.04.2021 ", german)));
    EXPECT_EQ("2024-2-29", ymd(tryStrToDate("2024-02-29", iso)));
    EXPECT_EQ("2049-1-2", ymd(tryStrToDate("1/2/49", us)));
    EXPECT_EQ("1950-1-2", ymd(tryStrToDate("1/2/50", us)));
    for (const char* bad : {"", "?", "3/4", "3/4/2021/1", "13/1/2021", "2/29/2023", "0/1/2021",
                            "3.4.2021", "3/x/2021", "3//2021"})
        EXPECT_EQ("none", ymd(tryStrToDate(bad, us))) << bad;
    try {
        strToDate("soon", us);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ("'soon' is not a valid date", error.what());
    }
}

TEST(DateTimeText, TimesReadWithOrWithoutDayHalves) {
    DateTimeFormats us;
    auto hms = [&](const char* text) {
        std::optional<SystemTime> t = tryStrToTime(text, us);
        return t ? std::to_string(t->hour) + ":" + std::to_string(t->minute) + ":" +
                       std::to_string(t->second)
                 : std::string("none");
    };
    EXPECT_EQ("13:5:0", hms("1:05 PM"));
    EXPECT_EQ("13:5:0", hms("1:05 pm"));
    EXPECT_EQ("0:30:15", hms("12:30:15 AM"));
    EXPECT_EQ("12:0:0", hms("12:00 PM"));
    EXPECT_EQ("23:59:59", hms("23:59:59"));
    for (const char* bad : {"", "12", "24:00", "13:00 PM", "1:60", "1:2:3:4", "noon"})
        EXPECT_EQ("none", hms(bad)) << bad;
}

TEST(DateTimeText, WritesWithTheFormatPictures) {
    SystemTime at{2005, 1, 9, 13, 5, 7, 0};
    DateTimeFormats us;
    EXPECT_EQ("1/9/2005", dateToStr(at, us));
    EXPECT_EQ("1:05:07 PM", timeToStr(at, us));
    EXPECT_EQ("09.01.05 13h05 P", formatDateTime(at, "dd.MM.yy HH'h'mm t", us));
    SystemTime midnight{2005, 1, 1, 0, 0, 0, 0};
    EXPECT_EQ("12:00:00 AM", timeToStr(midnight, us));
    // What is written reads back.
    EXPECT_EQ("2005-1-9", ymd(tryStrToDate(dateToStr(at, us), us)));
    EXPECT_EQ(13, tryStrToTime(timeToStr(at, us), us)->hour);
}

} // namespace
} // namespace remvana
