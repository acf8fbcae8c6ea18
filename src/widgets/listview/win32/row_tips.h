#pragma once
// The program list's row tooltips: a tooltip of the list's own rather than the list view's
// info tips, which not every comctl32 raises in report view. The text is asked for when
// the tip is about to show, for the row under the mouse.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/scoped_handles.h"

namespace remvana {

class RowTips {
  public:
    // The tip text of the row at a shown index; empty for none.
    using TextOfRow = std::function<std::string(int row)>;
    explicit RowTips(TextOfRow textOfRow) : textOfRow_(std::move(textOfRow)) {}
    RowTips(const RowTips&) = delete;
    RowTips& operator=(const RowTips&) = delete;

    // Creates the tooltip for `list`, owned by it.
    void create(HWND list);
    HWND hwnd() const { return tips_.get(); }
    // The list's WM_MOUSEMOVE: another row under the mouse hides the tip of the last one.
    void mouseMoved(LPARAM mousePosition);
    // The text for the row under the mouse now; empty when none.
    std::string text() const { return textOfRow_(row_); }
    // The list's WM_NOTIFY; true when it was the tooltip asking for its text.
    bool answer(NMHDR* notification);

  private:
    TextOfRow textOfRow_;
    HWND list_ = nullptr;
    // A popup the list owns: it goes with the list, or with this object, whichever goes first.
    ScopedWindow tips_;
    int row_ = -1; // the row under the mouse
    std::string buffer_;
    std::wstring wideBuffer_;
};

} // namespace remvana
