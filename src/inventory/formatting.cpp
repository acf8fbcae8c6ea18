#include "inventory/formatting.h"

#include <cmath>
#include <cstdio>

#include "platform/conversion.h"

namespace remvana {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
constexpr std::int64_t kTicksPerMillisecond = 10'000;
// Days from 0001-01-01 to the two epochs, in the proleptic Gregorian calendar.
constexpr std::int64_t kDaysTo1601 = 584'388;
constexpr std::int64_t kDaysTo1899_12_30 = 693'593;

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 0001-01-01 of a valid date.
std::int64_t daysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - 1;
    std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m)
        days += daysInMonth(year, m);
    return days + day - 1;
}

// The date of a day count since 0001-01-01; counts before that day are not asked for.
void civilFromDays(std::int64_t days, SystemTime& out) {
    // 146,097 days make 400 Gregorian years.
    std::int64_t year = 1 + 400 * (days / 146'097);
    days %= 146'097;
    while (days >= (isLeapYear(static_cast<int>(year)) ? 366 : 365)) {
        days -= isLeapYear(static_cast<int>(year)) ? 366 : 365;
        ++year;
    }
    out.year = static_cast<int>(year);
    out.month = 1;
    while (days >= daysInMonth(out.year, out.month))
        days -= daysInMonth(out.year, out.month++);
    out.day = static_cast<int>(days) + 1;
}

void setTimeOfDay(std::int64_t milliseconds, SystemTime& out) {
    out.hour = static_cast<int>(milliseconds / 3'600'000);
    out.minute = static_cast<int>(milliseconds / 60'000 % 60);
    out.second = static_cast<int>(milliseconds / 1'000 % 60);
    out.millisecond = static_cast<int>(milliseconds % 1'000);
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

} // namespace

std::string FormatFileSize(std::int64_t size, Locale& locale) {
    if (size >= 1'000'000) {
        // Hundredths of a megabyte, halves rounded up, the same on every runtime.
        const std::int64_t hundredths = size / 10'000 + (size % 10'000 >= 5'000 ? 1 : 0);
        std::string text = std::to_string(hundredths / 100);
        text += locale.decimalSeparator();
        text += twoDigits(static_cast<int>(hundredths % 100));
        return text + " Mb";
    }
    if (size < 1'024) return std::to_string(size) + " b";
    const std::int64_t kilobytes = size / 1'024 + (size % 1'024 >= 512 ? 1 : 0);
    return std::to_string(kilobytes) + " Kb";
}

TDateTime EncodeDateTime(const SystemTime& time) {
    if (time.year < 1 || time.year > 9999 || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > daysInMonth(time.year, time.month))
        throw ConversionError("Invalid argument to date encode");
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 59 || time.millisecond < 0 || time.millisecond > 999)
        throw ConversionError("Invalid argument to time encode");
    const auto date =
        static_cast<double>(daysFromCivil(time.year, time.month, time.day) - kDaysTo1899_12_30);
    const double dayFraction =
        static_cast<double>(((time.hour * 60 + time.minute) * 60 + time.second) * 1000 +
                            time.millisecond) /
        kMillisecondsPerDay;
    // Before the epoch the fraction still counts forward from midnight, so it is subtracted;
    // adding it would land on the wrong day.
    return date < 0 ? date - dayFraction : date + dayFraction;
}

SystemTime DecodeDateTime(TDateTime value) {
    const double days = std::trunc(value);
    auto milliseconds = static_cast<std::int64_t>(
        std::llround(std::fabs(value - days) * static_cast<double>(kMillisecondsPerDay)));
    auto dayNumber = static_cast<std::int64_t>(days);
    if (milliseconds >= kMillisecondsPerDay) { // rounded up to the next midnight
        milliseconds -= kMillisecondsPerDay;
        dayNumber += dayNumber < 0 ? -1 : 1;
    }
    SystemTime out;
    civilFromDays(dayNumber + kDaysTo1899_12_30, out);
    setTimeOfDay(milliseconds, out);
    return out;
}

SystemTime fileTimeToSystemTime(std::int64_t fileTime) {
    // Stamps before 1601 are not produced by the shell; they read as 1601-01-01 00:00.
    const std::int64_t milliseconds = fileTime > 0 ? fileTime / kTicksPerMillisecond : 0;
    SystemTime out;
    civilFromDays(kDaysTo1601 + milliseconds / kMillisecondsPerDay, out);
    setTimeOfDay(milliseconds % kMillisecondsPerDay, out);
    return out;
}

TDateTime FileTimeToLocalDateTime(Clock& clock, std::int64_t fileTime) {
    return EncodeDateTime(fileTimeToSystemTime(clock.fileTimeToLocalFileTime(fileTime)));
}

std::string FormatDateTimeText(TDateTime value, Locale& locale) {
    const SystemTime time = DecodeDateTime(value);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", time.year, time.month, time.day);
    return date + twoDigits(time.hour) + locale.timeSeparator() + twoDigits(time.minute);
}

std::string GetLocalComputerName(Shell& shell) {
    return shell.computerName();
}

std::string oneLineText(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace remvana
