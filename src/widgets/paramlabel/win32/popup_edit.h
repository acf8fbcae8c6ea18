#pragma once
// The parameter label's in-place text editor: a popup editor holding one single-line edit.
// Return commits and closes it, Escape closes it without committing, losing the focus
// commits, and deactivation hides it. One editor serves every opening.
#include <windows.h>

#include <string>

#include "platform/win32/scoped_handles.h"
#include "widgets/paramlabel/win32/popup_editor.h"

namespace remvana {

class TPopupEdit : public PopupEditor {
  public:
    bool EditAutoSize = false;

    // The text shows in `font` (the stock GUI font when null), which outlives the editor.
    TPopupEdit(HWND label, HFONT font);

    // Places the editor with its top-left at a screen point, sets its width, anchor name and
    // text (all selected), shows and focuses it.
    void open(const std::string& href, POINT screenTopLeft, int width, const std::string& text);

    // The text in the process code page ("?" for what it cannot hold).
    std::string text() const;
    HWND editWindow() const { return control(); }

  protected:
    // Text the code page cannot hold exactly is refused (UnrepresentableTextError naming the
    // anchor) rather than committed with substitutes; the editor stays as it was.
    std::string committedText() override;
    LRESULT popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int defaultHeight() const;

  private:
    void fitToText();

    HFONT font_;
};

// The edit's text, whole, as the UTF-16 it holds and in the process code page ("?" for what
// it cannot hold).
std::u16string wideWindowTextOf(HWND window);
std::string windowTextOf(HWND window);
// The height a single-line edit with a sunken border takes for a font.
int editHeightFor(HWND edit, HFONT font);

} // namespace remvana
