#pragma once
// The "MASK" editor: the text editor kept to an edit mask (edit_mask.h) as it is typed in.
// Each typed or pasted character goes through the mask's decisions (MaskedTyping), a refused
// one beeps; Backspace, Delete, cut and clear blank places. Its text must fit the mask to be
// committed: Return with a text that does not fit keeps it open, a focus loss closes it
// without committing.
#include <string>

#include "widgets/paramlabel/edit_mask.h"
#include "widgets/paramlabel/win32/popup_edit.h"

namespace remvana {

class TPopupMaskEdit : public TPopupEdit {
  public:
    TPopupMaskEdit(HWND label, HFONT font);

    void open(const std::string& href, POINT screenTopLeft, int width, const EditMask& mask,
              const std::string& text);

  protected:
    std::string committedText() override;
    bool acceptsCommit() override;
    LRESULT controlMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    // Runs one keystroke's change on the edit's text and selection and shows the outcome;
    // a change that was not (wholly) taken beeps.
    template <typename Change> void edit(Change change);
    void typed(char16_t unit);
    void paste();

    EditMask mask_;
    // The first half of a character typed as two UTF-16 units.
    char16_t pendingHighSurrogate_ = 0;
};

} // namespace remvana
