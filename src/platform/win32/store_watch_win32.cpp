#include "platform/win32/store_watch_win32.h"

#include <windows.h>

#include "platform/win32/registry_win32.h"

namespace remvana {
namespace {

constexpr DWORD kFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

struct Watched {
    ScopedRegKey key;
    ScopedKernelHandle event;
    bool arm() {
        return RegNotifyChangeKeyValue(key.get(), TRUE, kFilter, event.get(), TRUE) ==
               ERROR_SUCCESS;
    }
};

} // namespace

Win32StoreWatch::Win32StoreWatch(std::vector<WatchedKey> keys, unsigned quietMilliseconds,
                                 std::function<void()> changed)
    : quietMilliseconds_(quietMilliseconds), changed_(std::move(changed)),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    // The notifications are asked for on the watching thread: the system ties each to the
    // thread that asked, and ends it with that thread.
    thread_ = std::thread([this, keys = std::move(keys)] { run(keys); });
}

Win32StoreWatch::~Win32StoreWatch() {
    SetEvent(stop_.get());
    if (thread_.joinable()) thread_.join();
}

void Win32StoreWatch::run(const std::vector<WatchedKey>& keys) {
    std::vector<Watched> watched;
    for (const WatchedKey& key : keys) {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(rootKeyOf(key.root), key.path.c_str(), 0,
                          KEY_NOTIFY | viewAccessOf(key.view), &opened) != ERROR_SUCCESS)
            continue;
        Watched w{ScopedRegKey(opened),
                  ScopedKernelHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr))};
        if (w.event && w.arm()) watched.push_back(std::move(w));
    }
    std::vector<HANDLE> handles{stop_.get()};
    for (const Watched& w : watched)
        handles.push_back(w.event.get());
    const DWORD count = static_cast<DWORD>(handles.size());
    bool pending = false;
    while (true) {
        // Idle: no timeout at all. After a change: until it has been quiet long enough.
        const DWORD result = WaitForMultipleObjects(count, handles.data(), FALSE,
                                                    pending ? quietMilliseconds_ : INFINITE);
        if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) return;
        if (result == WAIT_TIMEOUT) {
            pending = false;
            changed_();
            continue;
        }
        const DWORD index = result - WAIT_OBJECT_0;
        if (index < count) {
            watched[index - 1].arm(); // the notification fires once; ask for the next
            pending = true;
        }
    }
}

} // namespace remvana
