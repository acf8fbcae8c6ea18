#pragma once
#include <functional>
#include <thread>
#include <vector>

#include "platform/store_watch.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

// RegNotifyChangeKeyValue on each key (subtree, names and values), each with an event, on
// a thread that sleeps in WaitForMultipleObjects until one is set: nothing runs while the
// keys are quiet. After a change the thread waits for `quietMilliseconds` without another
// before it calls `changed`. A key that does not exist (yet, or any more) is waited for
// through its nearest existing parent, and watched from the moment it appears.
class Win32StoreWatch : public StoreWatch {
  public:
    Win32StoreWatch(std::vector<WatchedKey> keys, unsigned quietMilliseconds,
                    std::function<void()> changed);
    ~Win32StoreWatch() override;
    Win32StoreWatch(const Win32StoreWatch&) = delete;
    Win32StoreWatch& operator=(const Win32StoreWatch&) = delete;
    void hearNow() override;

  private:
    void run(const std::vector<WatchedKey>& keys);

    unsigned quietMilliseconds_;
    std::function<void()> changed_;
    ScopedKernelHandle stop_;
    ScopedKernelHandle now_; // set by hearNow
    std::thread thread_;
};

} // namespace remvana
