#include "app/button_rules.h"

namespace remvana {

std::optional<bool> enabledAfterSelection(EnabledBy rule, const DetailsSelection& selection) {
    const DetailsButtons& buttons = selection.buttons;
    // A deselection (no new markup) leaves Delete Entry as it is and the others off.
    const bool shown = selection.markupLine0.has_value();
    switch (rule) {
    case EnabledBy::Itself:
        return std::nullopt;
    case EnabledBy::Remove:
        return shown && buttons.remove;
    case EnabledBy::Change:
        return shown && buttons.change;
    case EnabledBy::Repair:
        return shown && buttons.repair;
    case EnabledBy::DeleteEntry:
        if (shown && buttons.deleteEntry) return *buttons.deleteEntry;
        return std::nullopt;
    case EnabledBy::Edits:
        return false;
    }
    return std::nullopt;
}

bool enabledAfterReset(EnabledBy rule, bool enabledNow) {
    return rule == EnabledBy::Itself && enabledNow;
}

} // namespace remvana
