#pragma once
// Dates and times as text in the user's formats, read and written as the platform's runtime
// does it for StrToDate, StrToTime, DateToStr and TimeToStr, with its error texts.
#include <optional>
#include <string>

#include "platform/clock.h"

namespace remvana {

// The user's formats as the locale gives them (Windows format pictures): the short date
// ("M/d/yyyy"), the time ("h:mm:ss tt") and the two day-half designators.
struct DateTimeFormats {
    std::string shortDate = "M/d/yyyy";
    std::string time = "h:mm:ss tt";
    std::string am = "AM";
    std::string pm = "PM";
};

// A date in the short date format: day, month and year as numbers in the format's order,
// separated by its separator, blanks around them allowed. A two-digit year is 2000-2049 for
// 00-49 and 1950-1999 for 50-99. Nothing when the text is not a valid date.
std::optional<SystemTime> tryStrToDate(const std::string& text, const DateTimeFormats& formats);
// As tryStrToDate, raising "'<text>' is not a valid date" when it does not convert.
SystemTime strToDate(const std::string& text, const DateTimeFormats& formats);
// A time: hours and minutes, optionally seconds, separated by the time format's separator,
// optionally followed (or preceded) by a day-half designator, which makes the hours 1-12.
// Only hour, minute and second are set. Nothing when the text is not a valid time.
std::optional<SystemTime> tryStrToTime(const std::string& text, const DateTimeFormats& formats);

std::string dateToStr(const SystemTime& date, const DateTimeFormats& formats);
std::string timeToStr(const SystemTime& time, const DateTimeFormats& formats);
// A date and time written with a Windows format picture: d dd M MM y yy yyyy, h hh H HH,
// m mm, s ss, t tt, 'quoted text'; any other character stands for itself.
std::string formatDateTime(const SystemTime& at, const std::string& picture,
                           const DateTimeFormats& formats);

} // namespace remvana
