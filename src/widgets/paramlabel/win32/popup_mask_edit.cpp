#include "widgets/paramlabel/win32/popup_mask_edit.h"

namespace remvana {

TPopupMaskEdit::TPopupMaskEdit(HWND label, HFONT font) : TPopupEdit(label, font) {}

void TPopupMaskEdit::open(const std::string& href, POINT screenTopLeft, int width,
                          const EditMask& mask, const std::string& text) {
    mask_ = mask;
    TPopupEdit::open(href, screenTopLeft, width, text);
}

// The text editor's exact text, so a character the code page cannot hold is refused here too.
std::string TPopupMaskEdit::committedText() {
    return maskedValue(mask_, TPopupEdit::committedText()).value_or(std::string());
}

bool TPopupMaskEdit::acceptsCommit() {
    return maskedValue(mask_, text()).has_value();
}

} // namespace remvana
