#include "platform/win32/display_cues.h"

namespace remvana {

bool highContrastOn() {
    HIGHCONTRASTA setting{};
    setting.cbSize = sizeof setting;
    if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0)) return false;
    return (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool focusCuesShown(HWND hwnd) {
    return (SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

} // namespace remvana
