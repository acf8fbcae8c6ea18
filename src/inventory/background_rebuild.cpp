#include "inventory/background_rebuild.h"

#include <chrono>
#include <utility>

#include "inventory/reading_progress.h"

namespace remvana {

BackgroundRebuild::BackgroundRebuild(RegistryFactory& registry, Locale& locale,
                                     std::function<void()> wake,
                                     std::function<std::int64_t()> nowMs)
    : registry_(registry), locale_(locale), wake_(std::move(wake)), nowMs_(std::move(nowMs)) {}

BackgroundRebuild::~BackgroundRebuild() {
    stop();
}

void BackgroundRebuild::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++generation_; // the running read stops at its next entry
    }
    if (thread_.joinable()) thread_.join();
}

void BackgroundRebuild::start(ScanDepth depth) {
    stop();
    std::uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        generation = generation_;
        running_ = true;
        hasEnded_ = false;
        progress_ = {};
        outcome_ = Outcome::Nothing;
        read_.reset();
        error_ = nullptr;
    }
    thread_ = std::thread([this, depth, generation] { read(depth, generation); });
}

bool BackgroundRebuild::running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
}

bool BackgroundRebuild::ended() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_ && hasEnded_;
}

BackgroundRebuild::Progress BackgroundRebuild::progress() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return progress_;
}

void BackgroundRebuild::read(ScanDepth depth, std::uint64_t generation) {
    auto inventory = std::make_unique<ProgramInventory>();
    ReadingProgressPacer pacer(nowMs_);
    Outcome outcome = Outcome::NoStore;
    std::exception_ptr error;
    try {
        const bool opened =
            inventory->rebuild(registry_, locale_, depth, [&](std::size_t done, std::size_t total) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    if (generation_ != generation) throw Stopped{};
                    progress_ = {done, total};
                }
                if (pacer.due(done, total)) wake_();
            });
        if (opened) outcome = Outcome::Read;
    } catch (const Stopped&) {
        return; // replaced: what it read goes with this thread
    } catch (...) {
        error = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (generation_ != generation) return;
        outcome_ = outcome;
        if (outcome == Outcome::Read) read_ = std::move(inventory);
        error_ = error;
        hasEnded_ = true;
    }
    ended_.notify_all();
    wake_();
}

BackgroundRebuild::Taken BackgroundRebuild::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!running_ || !hasEnded_) return {};
    running_ = false;
    hasEnded_ = false;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    return {outcome_, std::move(read_)};
}

void BackgroundRebuild::wait(const std::function<void()>& whileWaiting) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (running_ && !hasEnded_) {
        if (ended_.wait_for(lock, std::chrono::milliseconds(50),
                            [this] { return !running_ || hasEnded_; }))
            break;
        lock.unlock();
        whileWaiting();
        lock.lock();
    }
}

} // namespace remvana
