#pragma once
// Time: the current local time and the conversion of shell time stamps.
#include <cstdint>

namespace remvana {

// A calendar date and time of day, as SYSTEMTIME holds it.
struct SystemTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual SystemTime now() = 0;
    // FileTimeToLocalFileTime: the UTC time stamp (100 ns units since 1601) moved into
    // the local time zone with the system's current bias.
    virtual std::int64_t fileTimeToLocalFileTime(std::int64_t utc) = 0;
};

} // namespace remvana
