#pragma once
// The row menu on the screen: shown at a point, the chosen command returned.
#include <windows.h>

#include <optional>
#include <vector>

#include "app/row_menu.h"

namespace remvana {

// Shows the items as a popup menu of `owner` at `at` (screen coordinates) and waits for the
// user; the command chosen, or nothing when the menu was closed without one.
std::optional<RowCommand> showRowMenu(HWND owner, POINT at, const std::vector<RowMenuItem>& items);

// Where a menu opened from the keyboard goes: below the left end of the list's row `row`,
// or the list's top left corner when that row is not in view (screen coordinates).
POINT rowMenuPoint(HWND list, int row);

} // namespace remvana
