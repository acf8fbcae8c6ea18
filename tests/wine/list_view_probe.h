#pragma once
// Reads a list view and clicks its header the way another program or a user would: only
// through the controls' own messages.
#include <windows.h>

#include <string>
#include <vector>

namespace remvana::testing {

std::string listItemText(HWND list, int item, int subItem);
int listItemImage(HWND list, int item);
int listItemCount(HWND list);
// One column's texts, top row first.
std::vector<std::string> listColumnTexts(HWND list, int subItem);
// The first row showing that caption, or -1.
int listRowOf(HWND list, const std::string& caption);
// Selects and focuses the row showing that caption, as a click on it does; false when
// there is none.
bool selectListRow(HWND list, const std::string& caption);
HWND listHeader(HWND list);
// Mouse down and up in the middle of the column's header item, then the queued messages.
void clickListHeader(HWND list, int column);

} // namespace remvana::testing
