#pragma once
// What follows a refresh's fill: the rest of every entry read (a list-first scan left it)
// and its health checked, in slices short enough that the window takes input between them.
// One entry at a time in id order, so an entry is read once, whether a slice or a handler
// reaches it first.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "inventory/program_inventory.h"
#include "platform/shell.h"

namespace remvana {

class ReadingInSlices {
  public:
    // `nowMicros` is a monotonic clock in microseconds.
    ReadingInSlices(ProgramInventory& inventory, Shell& shell,
                    std::function<std::int64_t()> nowMicros);

    // Starts over on the inventory as it is now, after a rebuild or an update (entries
    // already checked are passed over); returns the generation its slices are asked with. A
    // slice of an earlier start does nothing, so nothing it would have read lands in the
    // new read.
    std::uint64_t start();
    // Ends the reading where it is: its slices do nothing from now on, and it counts as done.
    void stop();

    struct Slice {
        bool more = false;   // another slice is due
        bool dimmed = false; // an entry checked in this slice is to be shown dimmed
    };
    // Reads whole and checks the next entries until `budgetMicros` have passed (one entry
    // at least). Entries without a display name have no row: they are read, not checked.
    Slice run(std::uint64_t generation, std::int64_t budgetMicros);
    bool done() const { return next_ >= inventory_.size(); }

  private:
    ProgramInventory& inventory_;
    Shell& shell_;
    std::function<std::int64_t()> nowMicros_;
    std::uint64_t generation_ = 0;
    std::size_t next_ = 0;
};

} // namespace remvana
