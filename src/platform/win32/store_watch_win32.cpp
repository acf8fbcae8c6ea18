#include "platform/win32/store_watch_win32.h"

#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/registry_win32.h"

namespace remvana {
namespace {

constexpr DWORD kFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

// One key followed: the key itself with its subtree once it exists; until then (and again
// after it is deleted) its nearest existing parent, for the names of that parent's direct
// subkeys only, which is what changes when the next step towards the key is created. The
// parent of whichever is watched is asked for its subkeys' names as well: a deleted key
// tells its own watchers nothing on every system (Wine, for one), its parent always hears.
class Watched {
  public:
    explicit Watched(WatchedKey wanted)
        : wanted_(std::move(wanted)), keyEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          parentEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

    // Set by a change of the watched key, and of its parent.
    HANDLE keyEvent() const { return keyEvent_.get(); }
    HANDLE parentEvent() const { return parentEvent_.get(); }
    bool usable() const { return keyEvent_.valid() && parentEvent_.valid(); }

    // Opens the key, or its nearest parent, and asks for the next change. A step towards the
    // key created between the open and the ask would go unheard, so after the ask the next
    // step is looked for again; an ask refused because the key was deleted meanwhile starts
    // over higher up. True when the key itself is watched.
    bool follow() {
        // Every turn but a few goes one step deeper or higher: the key's depth bounds them.
        for (std::size_t turn = 0; turn <= 2 * steps().size() + 2; ++turn) {
            std::size_t depth = 0;
            ScopedRegKey nearest = openNearest(depth);
            ScopedRegKey above = depth > 0 ? open(depth - 1) : ScopedRegKey();
            // Closing the last handles may set the events: a wake for nothing, dropped here
            // before the new asks can set them.
            key_ = std::move(nearest);
            parent_ = std::move(above);
            ResetEvent(keyEvent_.get());
            ResetEvent(parentEvent_.get());
            onKey_ = depth == steps().size();
            if (!key_) return false;
            if (!arm(key_, onKey_, keyEvent_)) continue;
            if (parent_) arm(parent_, false, parentEvent_);
            if (onKey_ || !exists(depth + 1)) return onKey_;
        }
        return false;
    }

    // The event was set. True when the key's contents may have changed: a change in it, or
    // the key itself appearing or going. The key is opened afresh each time: a handle to a
    // key since deleted can still be asked for changes and never hears one.
    bool heard() {
        const bool wasOnKey = onKey_;
        return follow() || wasOnKey;
    }

  private:
    // The whole subtree's names and values, or the direct subkeys' names alone.
    static bool arm(const ScopedRegKey& key, bool subtree, const ScopedKernelHandle& event) {
        return RegNotifyChangeKeyValue(key.get(), subtree ? TRUE : FALSE,
                                       subtree ? kFilter : REG_NOTIFY_CHANGE_NAME, event.get(),
                                       TRUE) == ERROR_SUCCESS;
    }

    // The key's path cut after each of its names: "A", "A\B", "A\B\C".
    std::vector<std::string> steps() const {
        std::vector<std::string> paths;
        for (std::size_t at = 0; at <= wanted_.path.size(); ++at)
            if (at == wanted_.path.size() || wanted_.path[at] == '\\')
                paths.push_back(wanted_.path.substr(0, at));
        return paths;
    }

    // Depth 0 is the root itself.
    ScopedRegKey open(std::size_t depth) const {
        const std::string path = depth == 0 ? std::string() : steps()[depth - 1];
        HKEY opened = nullptr;
        if (RegOpenKeyExA(rootKeyOf(wanted_.root), path.c_str(), 0,
                          KEY_NOTIFY | viewAccessOf(wanted_.view), &opened) != ERROR_SUCCESS)
            return ScopedRegKey();
        return ScopedRegKey(opened);
    }
    bool exists(std::size_t depth) const { return open(depth).valid(); }

    // The deepest of the key and its parents that can be opened.
    ScopedRegKey openNearest(std::size_t& depth) const {
        for (depth = steps().size();; --depth) {
            ScopedRegKey key = open(depth);
            if (key || depth == 0) return key;
        }
    }

    WatchedKey wanted_;
    ScopedKernelHandle keyEvent_;
    ScopedKernelHandle parentEvent_;
    ScopedRegKey key_;
    ScopedRegKey parent_;
    bool onKey_ = false;
};

} // namespace

Win32StoreWatch::Win32StoreWatch(std::vector<WatchedKey> keys, unsigned quietMilliseconds,
                                 std::function<void()> changed)
    : quietMilliseconds_(quietMilliseconds), changed_(std::move(changed)),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      now_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    // The notifications are asked for on the watching thread: the system ties each to the
    // thread that asked, and ends it with that thread.
    thread_ = std::thread([this, keys = std::move(keys)] { run(keys); });
}

Win32StoreWatch::~Win32StoreWatch() {
    SetEvent(stop_.get());
    if (thread_.joinable()) thread_.join();
}

void Win32StoreWatch::hearNow() {
    SetEvent(now_.get());
}

void Win32StoreWatch::run(const std::vector<WatchedKey>& keys) {
    std::vector<Watched> watched;
    watched.reserve(keys.size());
    for (const WatchedKey& key : keys) {
        Watched& w = watched.emplace_back(key);
        if (!w.usable())
            watched.pop_back();
        else
            w.follow();
    }
    // stop_ first, then now_, then the keys' events two by two.
    constexpr DWORD kNow = 1;
    constexpr DWORD kFirstKey = 2;
    std::vector<HANDLE> handles{stop_.get(), now_.get()};
    for (const Watched& w : watched) {
        handles.push_back(w.keyEvent());
        handles.push_back(w.parentEvent());
    }
    const DWORD count = static_cast<DWORD>(handles.size());
    bool pending = false;
    while (true) {
        // Idle: no timeout at all. After a change: until it has been quiet long enough.
        const DWORD result = WaitForMultipleObjects(count, handles.data(), FALSE,
                                                    pending ? quietMilliseconds_ : INFINITE);
        if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) return;
        if (result == WAIT_TIMEOUT || result == WAIT_OBJECT_0 + kNow) {
            pending = false;
            changed_();
            continue;
        }
        const DWORD index = result - WAIT_OBJECT_0;
        // Each notification fires once; heard() asks for the next.
        if (index < count && watched[(index - kFirstKey) / 2].heard()) pending = true;
    }
}

} // namespace remvana
