#include "widgets/paramlabel/win32/popup_date_picker.h"

#include <commctrl.h>

#include "widgets/paramlabel/win32/popup_edit.h"

namespace remvana {

TPopupDatePicker::TPopupDatePicker(HWND label, HFONT font) : PopupEditor(label), font_(font) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    if (font_ == nullptr) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TPopupDatePicker::open(const std::string& href, POINT screenTopLeft, int width, bool timeMode,
                            std::optional<SystemTime> value, const DateTimeFormats& formats) {
    begin(href);
    timeMode_ = timeMode;
    formats_ = formats;
    droppedDown_ = false;
    // The mode is a style the picker takes only when it is made.
    createControl(DATETIMEPICK_CLASSA, timeMode ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT, 0, font_);
    showAt(screenTopLeft, width, editHeightFor(control(), font_));
    valueKnown_ = value.has_value();
    if (value) {
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(value->year);
        st.wMonth = static_cast<WORD>(value->month);
        st.wDay = static_cast<WORD>(value->day);
        st.wHour = static_cast<WORD>(value->hour);
        st.wMinute = static_cast<WORD>(value->minute);
        st.wSecond = static_cast<WORD>(value->second);
        SendMessageA(control(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    }
    changed_ = false;
    SetFocus(control());
}

SystemTime TPopupDatePicker::value() const {
    SYSTEMTIME st{};
    SendMessageA(control(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return SystemTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                      st.wMinute, st.wSecond, st.wMilliseconds};
}

std::string TPopupDatePicker::committedText() {
    return timeMode_ ? timeToStr(value(), formats_) : dateToStr(value(), formats_);
}

bool TPopupDatePicker::isCalendar(HWND window) const {
    auto calendar = reinterpret_cast<HWND>(SendMessageA(control(), DTM_GETMONTHCAL, 0, 0));
    return window != nullptr && calendar != nullptr &&
           (window == calendar || IsChild(calendar, window));
}

void TPopupDatePicker::focusLost(HWND to) {
    // Picking in the calendar is still editing; the picker may hear of the drop-down only
    // after the calendar has taken the focus.
    if (droppedDown_ || isCalendar(to)) return;
    if (valueKnown_ || changed_)
        commitAndClose(false);
    else
        cancel(false);
}

bool TPopupDatePicker::staysOnDeactivation(HWND activated) const {
    return droppedDown_ || isCalendar(activated) || PopupEditor::staysOnDeactivation(activated);
}

LRESULT TPopupDatePicker::popupMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == control()) {
            if (header->code == DTN_DROPDOWN) droppedDown_ = true;
            if (header->code == DTN_DATETIMECHANGE) changed_ = true;
            if (header->code == DTN_CLOSEUP) {
                droppedDown_ = false;
                if (visible()) SetFocus(control());
            }
        }
        return 0;
    }
    return PopupEditor::popupMessage(msg, wParam, lParam);
}

} // namespace remvana
