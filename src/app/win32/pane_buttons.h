#pragma once
// The buttons of a pane, made from the pane's table: one row per button with its placement,
// what its enabled state follows, where it is anchored and the window's command its click
// runs. A new button is a row in its pane's table and the command behind it.
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "app/action_keys.h"
#include "app/button_rules.h"
#include "app/layout.h"

namespace remvana {

class T_mainForm;

// A command of the window that a control's click runs, with the control as its sender.
using FormCommand = void (T_mainForm::*)(HWND sender);

// Left: the button stays at its placement. Right: the pane's resize rule moves it so it
// keeps its distance to the right edge.
enum class Anchor { Left, Right };

struct ButtonRow {
    const layout::ButtonPlacement* placement;
    EnabledBy enabledBy;
    Anchor anchor;
    FormCommand click;
    // The tip of the window's tooltip control at first; null for none (the caption, when
    // the button has a key).
    const char* tooltip = nullptr;
    // The window's key for the button's action, which its tip names.
    WindowAction key = WindowAction::None;
};

class PaneButtons {
  public:
    explicit PaneButtons(std::span<const ButtonRow> rows) : rows_(rows) {}

    // Creates the buttons as children of `parent`, at the scale the window lays itself out
    // for, each with its tip in `tooltips`.
    void create(HWND parent, HWND tooltips);
    // Each button at its placement for `dpi`, in the button font of that scale.
    void rescale(int dpi);
    // The buttons anchored right, in table order: their outer widths, and moving them.
    std::vector<int> rightAnchoredWidths() const;
    void setRightAnchoredLefts(const std::vector<int>& lefts);

    // A control's WM_COMMAND: runs the command of the clicked button's row; false when the
    // control is none of these buttons.
    bool command(T_mainForm& form, int id, int code, HWND control) const;
    // The list's selection changed / was dropped: each button as its row's rule says.
    void followSelection(const DetailsSelection& selection);
    void reset();
    // Keeps the button at `enabled` through selections and resets until it is released:
    // Remove while it reads "Stop".
    void hold(int id, bool enabled);
    void release(int id);
    // Null for an id of no button of this pane.
    HWND button(int id) const;

  private:
    bool held(std::size_t row) const;

    std::span<const ButtonRow> rows_;
    std::vector<int> heldIds_;
    std::vector<HWND> buttons_; // in row order; children of the pane, which go with it
};

} // namespace remvana
