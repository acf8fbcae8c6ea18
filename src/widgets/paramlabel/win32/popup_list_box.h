#pragma once
// The "LIST" editor: a flat list box in a tool-window popup below the anchor, as wide as its
// widest item needs and 100 pixels high. Return commits the selected item (closing it
// without a commit when none is) and advances, releasing the mouse on an item closes the
// list and commits it, losing the focus commits the selected item as the text editor does,
// Escape closes it, and deactivation hides it.
#include <string>
#include <vector>

#include "widgets/paramlabel/win32/popup_editor.h"

namespace remvana {

class TPopupListBox : public PopupEditor {
  public:
    static constexpr int kHeight = 100;

    TPopupListBox(HWND label, HFONT font);

    // Shows the values with the one at `selected` (-1: none) selected, and focuses the list.
    void open(const std::string& href, POINT screenTopLeft, const std::vector<std::string>& values,
              int selected);
    int selectedIndex() const;

  protected:
    std::string committedText() override;
    bool acceptsCommit() override { return selectedIndex() >= 0; }
    LRESULT controlMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    int widestItem(const std::vector<std::string>& values) const;

    HFONT font_;
};

} // namespace remvana
