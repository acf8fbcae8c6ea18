#pragma once
// Hearing of changes other programs make to registry keys, without polling: the keys are
// watched with their whole subtrees, and a burst of writes is reported once, after a quiet
// period, so that an installer writing a hundred values costs one refresh.
#include <functional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace remvana {

struct WatchedKey {
    RegRoot root = RegRoot::LocalMachine;
    RegView view = RegView::Default;
    std::string path; // from the root, without a leading "\"
};

// Watches for as long as it lives; the callback runs on a thread of the watch's own and is
// never called once the watch is gone.
class StoreWatch {
  public:
    virtual ~StoreWatch() = default;
    // Reports at once, without waiting for a change or for quiet (after something the
    // program itself knows changed the stores, such as an uninstaller that ended).
    virtual void hearNow() = 0;
};

} // namespace remvana
