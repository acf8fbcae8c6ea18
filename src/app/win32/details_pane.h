#pragma once
// The details pane: the panel right of the list with the details label (`ParamLabel`), the
// "Modify Properties" button and the link labels. Its controls are rows of its tables
// (details_pane.cpp); the label's markup and images are the pane's own.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/resize_rules.h"
#include "app/win32/pane_buttons.h"
#include "platform/canvas.h"
#include "platform/display_scale.h"
#include "platform/shell.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

class DetailsPane {
  public:
    DetailsPane();
    DetailsPane(const DetailsPane&) = delete;
    DetailsPane& operator=(const DetailsPane&) = delete;

    // The label's events, passed on with the label as the sender: a click on a parameter
    // anchor, and a finished in-place edit.
    using ParamEvent =
        std::function<void(HWND sender, const std::string& href, std::string& value)>;
    ParamEvent OnParamClick;
    ParamEvent OnParamEditDone;

    // The panel (RightAdvPanel) at `rect` in `parent` and its controls; `tooltips` is the
    // window's tooltip control, `shell` opens the links.
    void create(HWND parent, const Rect& rect, HWND tooltips, HINSTANCE instance, Shell& shell);
    // The panel at `rect`; at a new DPI every control, font and image made for the scale
    // first. A change of the panel's size runs RightAdvPanelResize.
    void layout(const Rect& rect, int dpi);
    // FormResize's steps for the details pane: the button and the label's width fitted, the
    // links at the pane's bottom follow its height.
    void followWindowResize();

    // ---- What is shown ----
    // Line 0 of the label's markup: the heading, or the selected program's details.
    void showLine0(const std::string& markup);
    void showHeading();
    // What an emptied anchor's value reads as ("?").
    std::string emptyParam() const;

    // ---- Buttons ----
    bool command(T_mainForm& form, int id, int code, HWND control);
    void followSelection(const DetailsSelection& selection) { buttons_.followSelection(selection); }
    void reset() { buttons_.reset(); }
    void setEnabled(int id, bool enabled);

    // ---- Handlers ----
    void RightAdvPanelResize(HWND sender);
    void SiteLabelClick(HWND sender);
    void MailToLabelClick(HWND sender);
    void SuggestLabelClick(HWND sender);
    void StartupLabelClick(HWND sender);

    // The pane's tables: its buttons, and its links with the handler of each.
    struct LinkRow {
        const layout::LinkPlacement* placement;
        // For the links at the pane's bottom, which follow its height: their top there.
        int LinkTops::*bottomTop;
        void (DetailsPane::*click)(HWND sender);
    };
    static std::span<const ButtonRow> buttonTable();
    static std::span<const LinkRow> linkTable();

    // The controls, for the window's tests and the screen: null before create.
    HWND panel() const { return panel_; }
    HWND label() const { return label_; }
    HWND button(int id) const { return buttons_.button(id); }
    HIMAGELIST labelImages() const { return labelImages_.get(); }

  private:
    // The label's place: left and top those of its table at the pane's scale, its size the
    // table's until a resize fits it to the pane (the window's resize fits the width alone).
    enum class LabelFit { Table, KeepSize, Width, WidthAndHeight };
    Rect labelPlace(LabelFit fit) const;
    void createLabel();
    void styleLabel();
    void createImages();
    void rescale();
    // The buttons anchored right keep their distance to the pane's right edge.
    void fitButtons();
    // The links at the pane's bottom, each moved left where its text would run past the pane.
    void placeLinksWithin();

    HWND panel_ = nullptr;    // a child of the window's; the controls below are its children
    HWND label_ = nullptr;    // the TParamLabel, which its window owns
    std::vector<HWND> links_; // in the order of the links' table
    PaneButtons buttons_;
    ScopedImageList labelImages_; // 1 is the heading image
    HINSTANCE instance_ = nullptr;
    Shell* shell_ = nullptr;
    int dpi_ = kDesignDpi;
};

} // namespace remvana
