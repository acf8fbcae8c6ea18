#pragma once
// Display texts shared by the program list and the audit report: sizes, dates, names.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/shell.h"

namespace remvana {

// Days since 1899-12-30 in the integral part, the time of day in the fraction. Before that
// day the value is negative and the fraction still counts forward from midnight.
using TDateTime = double;

// "1023 b", "977 Kb", "1234.57 Mb": bytes below 1,024, kilobytes (of 1,024 bytes) below
// 1,000,000 bytes, decimal megabytes above, with the locale's decimal separator.
std::string FormatFileSize(std::int64_t size, Locale& locale);

// Raises ConversionError "Invalid argument to date encode" for a date outside the years
// 1 to 9999 or a day the month does not have.
TDateTime EncodeDateTime(const SystemTime& time);
SystemTime DecodeDateTime(TDateTime value);

// The calendar time of a FILETIME (100 ns units since 1601-01-01), no zone applied.
SystemTime fileTimeToSystemTime(std::int64_t fileTime);

// A shell time stamp (UTC FILETIME) as a local date-time, shifted by the current zone bias.
TDateTime FileTimeToLocalDateTime(Clock& clock, std::int64_t fileTime);

// "yyyy-mm-dd hh:nn" on a 24-hour clock, with the locale's time separator.
std::string FormatDateTimeText(TDateTime value, Locale& locale);

// The computer's NetBIOS name; empty when the system cannot tell.
std::string GetLocalComputerName(Shell& shell);

// Registry text for a line-based output (the plain list, the audit report): each carriage
// return and line feed written as a space, so a crafted name cannot forge lines.
std::string oneLineText(std::string text);

} // namespace remvana
