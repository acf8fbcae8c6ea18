#pragma once
// The "SPIN" editor: an edit with an up-down control at its right that steps its number.
// It ends as the text editor does and never widens.
#include <string>

#include "widgets/paramlabel/win32/popup_editor.h"

namespace remvana {

class TPopupSpinEdit : public PopupEditor {
  public:
    TPopupSpinEdit(HWND label, HFONT font);

    void open(const std::string& href, POINT screenTopLeft, int width, const std::string& text);
    std::string text() const;
    HWND upDown() const { return upDown_; }

  protected:
    std::string committedText() override { return text(); }
    LRESULT popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    HFONT font_;
    HWND upDown_ = nullptr;
};

} // namespace remvana
