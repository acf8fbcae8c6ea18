#pragma once
#include "platform/clock.h"

namespace remvana {

// A clock standing still at `fixedNow`, in a time zone `utcOffsetMinutes` ahead of UTC
// (negative: behind), with no daylight saving.
class FakeClock : public Clock {
  public:
    SystemTime now() override { return fixedNow; }
    std::int64_t fileTimeToLocalFileTime(std::int64_t utc) override;

    SystemTime fixedNow{2024, 5, 17, 9, 30, 0, 0};
    int utcOffsetMinutes = 0;
};

} // namespace remvana
