#pragma once
// What the status bar shows while a long refresh reads the store, and when: a refresh of a
// few hundred programs is over before anyone could read a count, one of thousands is not.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace remvana {

// "Reading programs: 4200 of 10000".
std::string readingProgressText(std::size_t done, std::size_t total);

class ReadingProgressPacer {
  public:
    static constexpr std::int64_t kFirstAfterMs = 500;
    static constexpr std::int64_t kEveryMs = 100;

    // `nowMs` is a monotonic clock in milliseconds; the refresh starts at construction.
    explicit ReadingProgressPacer(std::function<std::int64_t()> nowMs);

    // True when the progress is to be shown now: once the refresh has run for
    // kFirstAfterMs, then no more often than every kEveryMs, and always for the last entry
    // once any progress was shown, so the count ends where the reading did.
    bool due(std::size_t done, std::size_t total);

  private:
    std::function<std::int64_t()> nowMs_;
    std::int64_t start_;
    std::int64_t lastShown_ = -1;
};

} // namespace remvana
