#pragma once
// TAdvOfficeStatusBar: the bottom bar with two text panels and a size grip. It answers the
// common status bar messages for its texts (SB_SETTEXTA, SB_GETTEXTA, SB_GETTEXTLENGTHA),
// so the window and the tests treat it like any status bar.
#include <windows.h>

#include <string>

namespace remvana {

inline constexpr const char* kStatusBarClass = "TAdvOfficeStatusBar";

void registerStatusBarClass(HINSTANCE instance);
HWND createStatusBar(HWND parent, int id, HINSTANCE instance);
void setStatusPanelText(HWND bar, int panel, const std::string& text);
std::string statusPanelText(HWND bar, int panel);

} // namespace remvana
