#pragma once
// The window's keys for its actions, and the key each tool button's tooltip names. A key
// that the control with the focus uses itself (Delete and Ctrl+Z in the filter box, every
// key in an in-place editor) stays that control's.
#include <string>

namespace remvana {

enum class WindowAction {
    None,
    Refresh,
    DeleteEntry, // asks first, as the button does
    SaveToFile,
    Undo,
    FocusFilter,
    ClearFilter,
    ContextMenu, // the selected row's menu
};

// Where the keyboard focus is when the key comes.
enum class KeyFocus { ProgramList, FilterBox, Editor, Elsewhere };

struct KeyPress {
    int virtualKey = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

WindowAction actionForKey(const KeyPress& key, KeyFocus focus);

// The key as a tooltip names it ("F5", "Ctrl+S"); empty for an action without one of its
// own.
std::string actionKeyName(WindowAction action);
// The tooltip with the action's key after it: "Refresh (F5)"; the tip alone when the action
// has no key.
std::string tooltipWithKey(const std::string& tip, WindowAction action);

} // namespace remvana
