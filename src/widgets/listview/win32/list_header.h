#pragma once
// The program list's header bar, drawn by the list itself: flat items in the header colour
// with a divider, the captions in their own font, and the sort mark where the model says.
// The list passes on what its parent window would otherwise get from the header.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/window_impl.h"
#include "widgets/listview/list_columns.h"
#include "widgets/listview/list_model.h"

namespace remvana {

class ListHeader {
  public:
    // `columns` are the list's, item for item; they must outlive the header.
    ListHeader(const ListModel& model, const std::vector<ShownListColumn>& columns)
        : model_(model), columns_(columns) {}

    // Takes over the list's header: its style, its font at `dpi` and its painting.
    void attach(HWND header, int dpi);
    // nullptr once the header is destroyed.
    HWND hwnd() const { return hook_.control(); }
    // The fonts for another scale; the old ones go once the header holds the new one.
    void setDpi(int dpi);
    // The colours to draw with from now on (high contrast came or went).
    void setColors(const ListColors& colors);

    // Every item drawn by the list again: the header resets the flag whenever an item's
    // format changes (a click, a drag, a double click on a divider).
    void markItemsOwnerDrawn();
    // The header of the column showing that text back to its plain format (the sort mark
    // moved elsewhere).
    void unmarkColumn(int text);
    // WM_DRAWITEM the list got for its header; false when it was for another control.
    bool draw(const DRAWITEMSTRUCT& item);
    // A header notification the list got, after the list's own handling of it.
    void notified(const NMHDR& notification);

  private:
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);
    HFONT heightFont() const;
    void fillTail(HDC dc);

    const ListModel& model_;
    const std::vector<ShownListColumn>& columns_;
    // The brush outlives the hook (declared first, destroyed last), so no message the
    // header still handles finds it gone. Its fonts are the program's at the list's scale
    // (fontAtDpi), kept for the process.
    ScopedBrush brush_; // in colors_.header
    ListColors colors_;
    ControlSubclass hook_;
    int dpi_ = 96;
    bool tracking_ = false; // a divider drag is under way
};

// A column's alignment as the list and header formats (which share their values) and as
// the text drawing flag.
struct AlignmentFlags {
    int format;
    UINT text;
};
AlignmentFlags flagsOf(ColumnAlignment alignment);

} // namespace remvana
