#include "fakes/fake_clock.h"

namespace remvana {

std::int64_t FakeClock::fileTimeToLocalFileTime(std::int64_t utc) {
    constexpr std::int64_t kTicksPerMinute = 60LL * 10'000'000LL;
    return utc + static_cast<std::int64_t>(utcOffsetMinutes) * kTicksPerMinute;
}

} // namespace remvana
