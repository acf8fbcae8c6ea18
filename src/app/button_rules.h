#pragma once
// What a button of the window follows for its enabled state: each button's row in its
// pane's table names one of these, so the selection and the refresh set every button
// without a list of buttons of their own.
#include <optional>

#include "details/details_markup.h"

namespace remvana {

enum class EnabledBy {
    Itself, // its own handler's business (Undo), or always on (Refresh, Save to file ...)
    Remove, // what the selected entry registered
    Change,
    Repair,
    DeleteEntry, // any selected row
    Edits,       // a pending edit of the selected entry, which the edit handler enables
};

// The button's state after a change of the list's selection; empty when it keeps its state.
std::optional<bool> enabledAfterSelection(EnabledBy rule, const DetailsSelection& selection);
// After a refresh or a filter that dropped the selection: off, unless it follows itself.
bool enabledAfterReset(EnabledBy rule, bool enabledNow);

} // namespace remvana
