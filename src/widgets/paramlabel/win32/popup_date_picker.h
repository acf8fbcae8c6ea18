#pragma once
// The "DATE" and "TIME" editor: the common controls' date and time picker in the platform's
// short date or time format. It commits the date (or time) as text in the user's format on
// Return and on focus loss, Escape closes it, and deactivation hides it unless its calendar
// is dropped down.
#include <optional>
#include <string>

#include "platform/date_time_text.h"
#include "widgets/paramlabel/win32/popup_editor.h"

namespace remvana {

class TPopupDatePicker : public PopupEditor {
  public:
    TPopupDatePicker(HWND label, HFONT font);

    // Recreates the picker in date or time mode and shows `value`; without one it shows the
    // picker's own and commits on focus loss only once the user changed it.
    void open(const std::string& href, POINT screenTopLeft, int width, bool timeMode,
              std::optional<SystemTime> value, const DateTimeFormats& formats);
    SystemTime value() const;
    bool droppedDown() const { return droppedDown_; }

  protected:
    std::string committedText() override;
    void focusLost(HWND to) override;
    bool staysOnDeactivation(HWND activated) const override;
    LRESULT popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    // Whether the window is the picker's drop-down calendar (or inside it).
    bool isCalendar(HWND window) const;

    HFONT font_;
    bool timeMode_ = false;
    DateTimeFormats formats_;
    bool valueKnown_ = false;
    bool changed_ = false;
    bool droppedDown_ = false;
};

} // namespace remvana
