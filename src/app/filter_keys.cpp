#include "app/filter_keys.h"

namespace remvana {

FilterKeyAction filterKeyAction(int virtualKey, bool ctrlDown, bool inFilterOrList) {
    if (virtualKey == kVkF3 || (ctrlDown && virtualKey == 'F')) return FilterKeyAction::FocusFilter;
    if (virtualKey == kVkEscape && !ctrlDown && inFilterOrList) return FilterKeyAction::ClearFilter;
    return FilterKeyAction::None;
}

} // namespace remvana
