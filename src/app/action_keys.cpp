#include "app/action_keys.h"

#include "app/filter_keys.h"

namespace remvana {

namespace {

// Virtual-key codes (winuser.h).
constexpr int kVkDelete = 0x2E;
constexpr int kVkApps = 0x5D;
constexpr int kVkF5 = 0x74;
constexpr int kVkF10 = 0x79;

struct KeyBinding {
    WindowAction action;
    int virtualKey;
    bool ctrl;
    bool shift;
    const char* name;
};

// The window's own keys; the filter's are filter_keys.h's.
constexpr KeyBinding kBindings[] = {
    {WindowAction::Refresh, kVkF5, false, false, "F5"},
    {WindowAction::DeleteEntry, kVkDelete, false, false, "Del"},
    {WindowAction::SaveToFile, 'S', true, false, "Ctrl+S"},
    {WindowAction::Undo, 'Z', true, false, "Ctrl+Z"},
    {WindowAction::ContextMenu, kVkF10, false, true, "Shift+F10"},
    {WindowAction::ContextMenu, kVkApps, false, false, nullptr},
};

// Whether the control with the focus leaves the action to the window.
bool reachesWindow(WindowAction action, KeyFocus focus) {
    switch (action) {
    case WindowAction::DeleteEntry:
    case WindowAction::ContextMenu:
        // Both act on the selected row, so they belong to the list.
        return focus == KeyFocus::ProgramList;
    case WindowAction::Undo:
        return focus != KeyFocus::FilterBox && focus != KeyFocus::Editor;
    default:
        return focus != KeyFocus::Editor;
    }
}

} // namespace

WindowAction actionForKey(const KeyPress& key, KeyFocus focus) {
    if (key.alt) return WindowAction::None;
    for (const KeyBinding& binding : kBindings)
        if (binding.virtualKey == key.virtualKey && binding.ctrl == key.ctrl &&
            binding.shift == key.shift)
            return reachesWindow(binding.action, focus) ? binding.action : WindowAction::None;
    if (key.shift) return WindowAction::None;
    const bool inFilterOrList = focus == KeyFocus::FilterBox || focus == KeyFocus::ProgramList;
    switch (filterKeyAction(key.virtualKey, key.ctrl, inFilterOrList)) {
    case FilterKeyAction::FocusFilter:
        return WindowAction::FocusFilter;
    case FilterKeyAction::ClearFilter:
        return WindowAction::ClearFilter;
    case FilterKeyAction::None:
        break;
    }
    return WindowAction::None;
}

std::string actionKeyName(WindowAction action) {
    for (const KeyBinding& binding : kBindings)
        if (binding.action == action && binding.name) return binding.name;
    if (action == WindowAction::FocusFilter) return "Ctrl+F";
    return {};
}

std::string tooltipWithKey(const std::string& tip, WindowAction action) {
    const std::string key = actionKeyName(action);
    if (key.empty()) return tip;
    return tip.empty() ? key : tip + " (" + key + ")";
}

} // namespace remvana
