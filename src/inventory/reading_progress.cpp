#include "inventory/reading_progress.h"

#include <utility>

namespace remvana {

std::string readingProgressText(std::size_t done, std::size_t total) {
    return "Reading programs: " + std::to_string(done) + " of " + std::to_string(total);
}

ReadingProgressPacer::ReadingProgressPacer(std::function<std::int64_t()> nowMs)
    : nowMs_(std::move(nowMs)), start_(nowMs_()) {}

bool ReadingProgressPacer::due(std::size_t done, std::size_t total) {
    const std::int64_t now = nowMs_();
    const bool shownBefore = lastShown_ >= 0;
    if (!shownBefore && now - start_ < kFirstAfterMs) return false;
    if (shownBefore && now - lastShown_ < kEveryMs && done < total) return false;
    lastShown_ = now;
    return true;
}

} // namespace remvana
