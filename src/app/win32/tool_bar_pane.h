#pragma once
// The tool bar pane: the panel across the top of the window with the tool buttons, each a
// row of its table (tool_bar_pane.cpp) naming its placement, what enables it and the
// window's command its click runs.
#include <windows.h>

#include <string>

#include "app/win32/pane_buttons.h"
#include "platform/canvas.h"
#include "platform/display_scale.h"

namespace remvana {

class ToolBarPane {
  public:
    ToolBarPane();
    // The pane's table: its buttons, left to right.
    static std::span<const ButtonRow> buttonTable();
    ToolBarPane(const ToolBarPane&) = delete;
    ToolBarPane& operator=(const ToolBarPane&) = delete;

    // The panel (TopAdvPanel) at `rect` in `parent` and its buttons; `tooltips` is the
    // window's tooltip control.
    void create(HWND parent, const Rect& rect, HWND tooltips);
    // The panel at `rect`; at a new DPI every button at its placement for the scale first.
    void layout(const Rect& rect, int dpi);
    // FormResize's steps for the tool bar: the buttons anchored right keep their distance to
    // the window's outer right edge.
    void alignToWindow(int outerWidth, int dpi);

    bool command(T_mainForm& form, int id, int code, HWND control) const {
        return buttons_.command(form, id, code, control);
    }
    void followSelection(const DetailsSelection& selection) { buttons_.followSelection(selection); }
    void reset() { buttons_.reset(); }
    void setEnabled(int id, bool enabled);
    // The button keeps `enabled` through selections and resets until released.
    void hold(int id, bool enabled) { buttons_.hold(id, enabled); }
    void release(int id) { buttons_.release(id); }
    // The tip the window's tooltip control shows for the button.
    void setTip(int id, const std::string& text);
    HWND button(int id) const { return buttons_.button(id); }
    HWND panel() const { return panel_; }

  private:
    HWND panel_ = nullptr; // a child of the window's, which goes with it
    HWND tooltips_ = nullptr;
    int dpi_ = kDesignDpi;
    PaneButtons buttons_;
};

} // namespace remvana
