#pragma once
#include "platform/clock.h"

namespace remvana {

// The system clock and time zone through kernel32.
class Win32Clock : public Clock {
  public:
    SystemTime now() override;
    std::int64_t fileTimeToLocalFileTime(std::int64_t utc) override;
};

} // namespace remvana
