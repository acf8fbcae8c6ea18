#pragma once
// TAdvOfficeStatusBar: the bottom bar with two text panels and a size grip. It answers the
// common status bar messages for its texts (SB_SETTEXTA, SB_GETTEXTA, SB_GETTEXTLENGTHA),
// so the window and the tests treat it like any status bar.
#include <windows.h>

#include <array>
#include <string>

#include "app/win32/window_util.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

inline constexpr const char* kStatusBarClass = "TAdvOfficeStatusBar";

// The bar's panel texts live in the bar, which its window owns.
class StatusBar : public SelfOwnedWindow<StatusBar> {
  public:
    static HWND create(HWND parent, int id);
    static WindowClass windowClass() { return {kStatusBarClass}; }

  private:
    friend WindowImpl<StatusBar>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onPaint();
    LRESULT onNcHitTest(LPARAM lParam);
    LRESULT onSetText(WPARAM wParam, LPARAM lParam);
    LRESULT onGetText(UINT msg, WPARAM wParam, LPARAM lParam) const;

    std::array<std::string, 2> texts_;
};

HWND createStatusBar(HWND parent, int id);
void setStatusPanelText(HWND bar, int panel, const std::string& text);
std::string statusPanelText(HWND bar, int panel);

} // namespace remvana
