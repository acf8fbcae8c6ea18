#pragma once
// A refresh's read on a thread of its own, into an inventory apart from the one the window
// shows: the window goes on taking input on the old list for the seconds that thousands of
// entries take, and swaps the new inventory in once it is read. A new start replaces a
// running read: the older one stops at its next entry and nothing it read is handed out.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "inventory/program_inventory.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace remvana {

class BackgroundRebuild {
  public:
    // `registry` and `locale` are used from the reading thread and must be safe there.
    // `wake` is called on the reading thread when the progress is due to be shown (paced
    // by `nowMs`, a monotonic clock in milliseconds) and once the read has ended; it only
    // tells the window (a posted message), which then calls take().
    BackgroundRebuild(RegistryFactory& registry, Locale& locale, std::function<void()> wake,
                      std::function<std::int64_t()> nowMs);
    // Stops a running read and waits for its thread.
    ~BackgroundRebuild();
    BackgroundRebuild(const BackgroundRebuild&) = delete;
    BackgroundRebuild& operator=(const BackgroundRebuild&) = delete;

    // Starts reading the stores afresh at that depth, replacing a read still running.
    void start(ScanDepth depth);
    // Started and not taken yet.
    bool running() const;
    // Ended and not taken yet: take() hands it out.
    bool ended() const;

    struct Progress {
        std::size_t done = 0;
        std::size_t total = 0;
    };
    // How far the running read got.
    Progress progress() const;

    enum class Outcome { Nothing, Read, NoStore };
    struct Taken {
        Outcome outcome = Outcome::Nothing;          // Nothing while the read runs, or when none is
        std::unique_ptr<ProgramInventory> inventory; // with Read
    };
    // The ended read, once; rethrows what the read threw. NoStore: no store could be opened.
    Taken take();
    // Waits for the running read to end, calling `whileWaiting` about every 50 ms meanwhile.
    void wait(const std::function<void()>& whileWaiting);

  private:
    struct Stopped {}; // thrown through the rebuild when a newer start replaced it
    void read(ScanDepth depth, std::uint64_t generation);
    void stop();

    RegistryFactory& registry_;
    Locale& locale_;
    std::function<void()> wake_;
    std::function<std::int64_t()> nowMs_;

    mutable std::mutex mutex_;
    std::condition_variable ended_;
    std::thread thread_;
    std::uint64_t generation_ = 0; // of the newest start; an older read checks it and stops
    bool running_ = false;         // started, not yet taken
    bool hasEnded_ = false;
    Progress progress_;
    Outcome outcome_ = Outcome::Nothing;
    std::unique_ptr<ProgramInventory> read_;
    std::exception_ptr error_;
};

} // namespace remvana
