#pragma once
// The details panel's content for the selected program: the markup of line 0 of the
// label's HTMLText, and which tool buttons a selection enables.
#include <optional>
#include <string>

#include "inventory/app_info.h"
#include "inventory/refresh.h"
#include "platform/locale.h"

namespace remvana {

// The heading followed by one editable anchor per non-empty property, each on a line of its
// own, then (not editable) the store the entry is registered in and its key name. Values are
// escaped as the label's write-back escapes them, so "R&D <beta>" shows, edits and writes back as
// itself instead of being read as markup.
// Which value of an editable property the details show: the one read from the registry (a
// selection), or the one typed and not yet written where there is one (the details shown
// again while the user's edits wait, so that none of them disappears from view).
enum class EditsShown { Loaded, Typed };
std::string buildDetailsMarkup(const TAppInfo& entry, EditsShown edits = EditsShown::Loaded);

struct DetailsButtons {
    bool remove = false;
    bool change = false;
    bool repair = false;
    bool modifyProperties = false;
    // Empty when the button keeps its state.
    std::optional<bool> deleteEntry;
};

// What a change of the list's selection does: Remove, Change, Repair and Modify Properties
// are disabled on every call; a selection then enables Delete Entry and whichever of the
// others the entry supports, and gives the new line 0. A deselection leaves the markup
// and Delete Entry as they are. Line 0 holds the editable properties, then the entry's
// read-only facts and health marks.
struct DetailsSelection {
    DetailsButtons buttons;
    std::optional<std::string> markupLine0;
};
DetailsSelection detailsForSelection(const TAppInfo* entry, bool selected, Locale& locale,
                                     EditsShown edits = EditsShown::Loaded);

} // namespace remvana
