#pragma once
// The details pane and the tool buttons with several rows of the list selected: a summary
// instead of one entry's properties, and only the actions that work on several at once.
#include <cstddef>
#include <string>
#include <vector>

#include "details/details_markup.h"
#include "platform/locale.h"

namespace remvana {

// Line 0 with several selected: the heading, "3 programs selected", their total size (as the
// list's Size column counts each, when any is known) and how many can be removed quietly.
// Remove is enabled when at least one has an uninstaller, Delete Entry when at least one
// can be addressed; Change, Repair and Modify Properties are disabled.
// `quiet`: how many of them have a quiet removal (see queuedRemoval).
DetailsSelection detailsForSeveral(const std::vector<const TAppInfo*>& entries, std::size_t quiet,
                                   Locale& locale);

} // namespace remvana
