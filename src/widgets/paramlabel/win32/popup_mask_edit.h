#pragma once
// The "MASK" editor: the text editor whose text must fit an edit mask (edit_mask.h) to be
// committed. Return with a text that does not fit keeps it open; a focus loss closes it
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

  private:
    EditMask mask_;
};

} // namespace remvana
