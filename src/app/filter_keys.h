#pragma once
// The keys of the filter box, wherever the focus is in the window.
namespace remvana {

enum class FilterKeyAction { None, FocusFilter, ClearFilter };

inline constexpr int kVkEscape = 0x1B; // VK_ESCAPE
inline constexpr int kVkF3 = 0x72;     // VK_F3

// Ctrl+F and F3 go to the filter box from anywhere; Escape empties it while the focus is in
// it or in the program list (elsewhere Escape belongs to the control, e.g. a popup editor).
FilterKeyAction filterKeyAction(int virtualKey, bool ctrlDown, bool inFilterOrList);

} // namespace remvana
