#include "inventory/reading_slices.h"

#include <utility>

#include "inventory/entry_health.h"

namespace remvana {

ReadingInSlices::ReadingInSlices(ProgramInventory& inventory, Shell& shell,
                                 std::function<std::int64_t()> nowMicros)
    : inventory_(inventory), shell_(shell), nowMicros_(std::move(nowMicros)) {}

std::uint64_t ReadingInSlices::start() {
    next_ = 0;
    return ++generation_;
}

void ReadingInSlices::stop() {
    ++generation_;
    next_ = inventory_.size();
}

ReadingInSlices::Slice ReadingInSlices::run(std::uint64_t generation, std::int64_t budgetMicros) {
    Slice slice;
    if (generation != generation_) return slice; // a refresh since started its own reading
    const std::int64_t until = nowMicros_() + budgetMicros;
    do {
        if (done()) return slice;
        const EntryId id = inventory_.ids()[next_++];
        // Done by an earlier reading: after an update only the entries it read are left.
        if (inventory_.listed(id).health().checked) continue;
        TAppInfo& entry = inventory_.entry(id);
        if (entry.DisplayName.empty()) continue; // no row, nowhere to show a mark
        checkEntryHealth(entry, shell_);
        slice.dimmed |= entry.Health.uninstallerMissing;
    } while (nowMicros_() < until);
    slice.more = !done();
    return slice;
}

} // namespace remvana
