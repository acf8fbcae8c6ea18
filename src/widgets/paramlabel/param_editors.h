#pragma once
// What the parameter classes other than "EDIT" decide before a window is involved: the
// value a TOGGLE takes, the values a MENU or LIST offers, how a menu item names its value,
// the sizes and places of the editors and the folder browser's start folder and place.
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace remvana {

// The values of a TOGGLE, MENU or LIST anchor: its props decoded and split at "|", sorted
// (ignoring case, equal ones kept in order) when asked.
std::vector<std::string> paramListValues(const std::string& props, bool sorted);
// The value a TOGGLE anchor showing `current` takes: the first value, or the second when it
// shows the first. Nothing with fewer than two values.
std::optional<std::string> toggledValue(const std::vector<std::string>& values,
                                        const std::string& current);

// A menu item's caption for a value: every "&" doubled, so the menu shows the value as it
// is instead of taking an "&" for a hot key.
std::string menuItemCaption(const std::string& value);
// The value a chosen item stands for: its caption with the menu's "&" marks taken out
// ("&&" is one "&", a single "&" is dropped). The inverse of menuItemCaption.
std::string menuChoiceValue(const std::string& caption);

// The index of the list item equal to the value (exactly), or -1.
int listItemIndex(const std::vector<std::string>& values, const std::string& value);
// The list box's width for its widest item: 10 pixels to spare, and the scroll bar's width
// when not every item fits its height.
int listBoxWidth(int widestItem, bool scrolls, int scrollBarWidth);

// Editor widths for an anchor w pixels wide (the mask editor is as wide as the text editor).
int spinEditorWidth(int anchorWidth);
int datePickerWidth(int anchorWidth);

// The folder the browser starts in: the value, or the current directory when the value is
// empty, without a trailing backslash (a drive's root keeps its own, "C:\").
std::string folderBrowserStart(const std::string& value, const std::string& currentDirectory);
// Where the folder browser goes: its top-left at `below` (the anchor's bottom-left on the
// screen), moved left by its width when it would cross the screen's right edge and above the
// label (by its height and the label's height) when it would cross the bottom; never off the
// screen's top-left.
Point folderBrowserPosition(Point below, Size dialog, const Rect& screen, int labelHeight);

} // namespace remvana
