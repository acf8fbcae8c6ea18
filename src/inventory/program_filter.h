#pragma once
// Find as you type: which programs a filter text keeps in the list, and the count shown.
#include <string>

#include "inventory/program_inventory.h"

namespace remvana {

// True when the text is empty, or when the display name, the publisher, the version or the
// key name contains it, ignoring the case of ASCII letters (names are ANSI text of any code page,
// so only A to Z are folded).
bool matchesProgramFilter(const ListedEntry& entry, const std::string& filterText);

// "240 programs available for uninstall" without a filter; "12 of 240 programs available
// for uninstall" while one is set, so that it is plain the list is not all there is.
std::string programCountText(int shown, int total, bool filtered);

} // namespace remvana
