#pragma once
// How Tab walks the label's anchors: one stop per anchor the user can act on, in the order
// the anchors stand in the markup. At either end Tab leaves the label, so the window's own
// Tab order goes on from there.
#include <optional>
#include <string>
#include <vector>

namespace remvana {

// What an anchor is to the keyboard and to a screen reader: a value with an editor (it has
// a class), a link (no class, and the label answers clicks), or neither.
enum class AnchorKind { Editable, Link, Inert };

// The kind of every anchor of the markup (its text form), by index as ParamAnchorHref counts
// them.
std::vector<AnchorKind> anchorKinds(const std::string& markup, bool clickHandled);

inline bool isTabStop(AnchorKind kind) {
    return kind != AnchorKind::Inert;
}

// The stop after `current` (forward) or before it; nothing when Tab leaves the label there.
// Entering the label, pass -1 going forward (the first stop) or kinds.size() going back (the
// last one).
std::optional<int> nextTabStop(const std::vector<AnchorKind>& kinds, int current, bool forward);
// The stop Tab lands on when it enters the label from the control before it (forward) or
// after it.
std::optional<int> entryTabStop(const std::vector<AnchorKind>& kinds, bool forward);

} // namespace remvana
