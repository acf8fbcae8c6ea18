#pragma once
// The one window of the program, _mainForm: its controls as real child windows and the
// handlers bound to their events. main_form.cpp creates, lays out and dispatches; the
// handler bodies live by concern in main_form_lifecycle.cpp (creation, activation,
// language), main_form_list.cpp (the list and the refresh), main_form_filter.cpp (filter
// and health marks), main_form_details.cpp (the details label), main_form_editing.cpp
// (in-place edits), main_form_actions.cpp (commands, the report and the links),
// main_form_undo.cpp (backups and Undo) and main_form_dpi.cpp (display scale).
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <memory>
#include <string>

#include "app/undoable_changes.h"
#include "inventory/refresh.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/win32/display_dpi.h"
#include "platform/win32/window_impl.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

namespace layout {
struct ButtonPlacement;
struct LinkPlacement;
} // namespace layout

class StringTable;
struct LinkTops;
class ProgramListIcons;
class ProgramListColumns;
struct FormResources;

// Posted to the window to check the health of the next few programs of Inventory.
inline constexpr UINT kCheckHealthMessage = WM_APP + 0x52;
// Posted after the first fill to read the rest of every entry (ScanDepth::ListFirst). Posted
// messages are taken before input, so it runs before any click or key can use an entry.
inline constexpr UINT kCompleteEntriesMessage = WM_APP + 0x53;

// What the handlers reach the platform through. The window does not own them.
struct FormServices {
    RegistryFactory* registry = nullptr;
    Shell* shell = nullptr;
    Clock* clock = nullptr;
    Locale* locale = nullptr;
    StringTable* strings = nullptr;
    FileSystem* files = nullptr; // where backups are written and read
};

class T_mainForm : public WindowImpl<T_mainForm> {
  public:
    T_mainForm(HINSTANCE instance, FormServices services);
    ~T_mainForm();
    T_mainForm(const T_mainForm&) = delete;
    T_mainForm& operator=(const T_mainForm&) = delete;

    // Creates the window and its controls at the creation size, runs FormCreate (errors go
    // to the application's error handler and creation goes on) and returns the window.
    // The window is not shown; show() centres it on the screen and shows it.
    HWND create();
    void show(int showCommand = SW_SHOWNORMAL);
    static WindowClass windowClass();
    HINSTANCE instance() const { return instance_; }
    const FormServices& services() const { return services_; }

    // ---- Handlers bound to the window's events ----
    // Creation, activation and language (main_form_lifecycle.cpp)
    void FormCreate(HWND sender);
    void FormActivate(HWND sender);
    void UpdateLang(int language);
    // Layout (main_form.cpp)
    void FormResize(HWND sender);
    void RightAdvPanelResize(HWND sender);

    // Program list (main_form_list.cpp)
    void RefreshAdvToolButtonClick(HWND sender);
    // The refresh; at ScanDepth::ListFirst (the first one, so the list shows sooner) the rest
    // of every entry is read once the window has painted it (kCompleteEntriesMessage).
    void refreshList(ScanDepth depth);
    // Reads whatever the first refresh left for later: before the report, for one.
    const InventoryArray& completeEntries();
    void AdvListViewColumnClick(HWND sender, int column);
    // Details (main_form_details.cpp): item is the row index whose selection changed.
    void AdvListViewSelectItem(HWND sender, int item, bool selected);
    // A click on the install location of the details opens the folder in the shell.
    void ParamLabelParamClick(HWND sender, const std::string& href, std::string& value);
    // Filter and health marks (main_form_filter.cpp)
    void FilterEditChange(HWND sender);
    // Ctrl+F, F3 and Escape for the filter box; true when the message was one of them.
    bool FormShortcut(const MSG& msg);
    // The status bar's count: all rows, or "N of M" while a filter is set.
    void showProgramCount();
    // Delete Entry, Remove, Change, Repair and Modify Properties off.
    void disableEntryButtons();
    // The details back to the bare heading and the entry buttons off, as after a refresh.
    void resetDetails();
    // Health checks run in small batches after the list is shown, so a refresh of thousands
    // of programs is not held up by their files and the window keeps answering meanwhile.
    void scheduleHealthChecks();
    // Editing (main_form_editing.cpp)
    void ParamLabelParamEditDone(HWND sender, const std::string& href, std::string& value);
    void ModifyPropertiesAdvToolButtonClick(HWND sender);
    // Actions, the report and the links (main_form_actions.cpp)
    void RemoveAdvToolButtonClick(HWND sender);
    void ChangeAdvToolButtonClick(HWND sender);
    void RepairAdvToolButtonClick(HWND sender);
    void DeleteEntryAdvToolButtonClick(HWND sender);
    void SavetofileAdvToolButtonClick(HWND sender);
    void SiteLabelClick(HWND sender);
    void MailToLabelClick(HWND sender);
    void SuggestLabelClick(HWND sender);
    void StartupLabelClick(HWND sender);
    // Undo (main_form_undo.cpp)
    void UndoAdvToolButtonClick(HWND sender);

    // ---- Helpers for the handlers ----
    void setButtonEnabled(HWND button, bool enabled);
    bool buttonEnabled(HWND button) const;
    void setStatusText(int panel, const std::string& text);
    std::string statusText(int panel) const;
    void setCaption(const std::string& caption);
    std::string caption() const;
    // The list's notifications arrive here (WM_NOTIFY from the list pane); the list glue
    // turns them into AdvListViewSelectItem / AdvListViewColumnClick.
    LRESULT listNotify(NMHDR* header);

    // ---- Controls (real child windows) ----
    HWND AdvOfficeStatusBar = nullptr;
    HWND MainAdvPanel = nullptr;
    HWND LeftAdvPanel = nullptr;
    HWND TopAdvPanel = nullptr;
    HWND LeftPanel = nullptr;
    HWND AdvListView = nullptr;
    HWND Splitter = nullptr;
    HWND RightAdvPanel = nullptr;
    HWND RemoveAdvToolButton = nullptr;
    HWND ChangeAdvToolButton = nullptr;
    HWND RepairAdvToolButton = nullptr;
    HWND DeleteEntryAdvToolButton = nullptr;
    HWND UndoAdvToolButton = nullptr;
    HWND RefreshAdvToolButton = nullptr;
    HWND SavetofileAdvToolButton = nullptr;
    HWND ModifyPropertiesAdvToolButton = nullptr;
    HWND StartupLabel = nullptr;
    HWND ParamLabel = nullptr;
    HWND SiteLabel = nullptr;
    HWND SuggestLabel = nullptr;
    HWND MailToLabel = nullptr;
    HWND FilterEdit = nullptr;
    // The program list behind AdvListView, with its rows and their entries
    // (main_form_list.cpp).
    std::unique_ptr<TAdvListView> ProgramList;
    // The rows' icons, looked up as rows are first drawn (main_form_list.cpp).
    std::unique_ptr<ProgramListIcons> ListIcons;
    std::unique_ptr<ProgramListColumns> ListColumns;
    // The entry behind a row of the list, and behind the selected row; null when none.
    TAppInfo* rowAppInfo(int item);
    TAppInfo* selectedAppInfo();
    // 32 x 32 masked row images; image 0 is the default program image. Both image lists
    // are owned by resources_; these name them for the controls.
    HIMAGELIST SmallImageList = nullptr;
    // The details label's images; image 1 is the heading image.
    HIMAGELIST LabelImageList = nullptr;
    // Shows the link labels' tooltips and the Undo button's.
    HWND Tooltips = nullptr;
    // The changes made since the program started, each with its backup (main_form_undo.cpp).
    UndoHistory Undo;
    // What a change with a backup before it needs (Delete Entry, Modify Properties).
    ChangeServices changeServices();
    // Enables Undo while there is something to undo and names the newest change in its tip.
    void updateUndoButton();

  private:
    // Each tool button and link of the window with its placement: what creates them, and
    // what places them again at another display scale.
    struct PlacedButton {
        HWND T_mainForm::*button;
        HWND T_mainForm::*parent;
        const layout::ButtonPlacement* placement;
    };
    struct PlacedLink {
        HWND T_mainForm::*label;
        const layout::LinkPlacement* placement;
        // For the links at the pane's bottom, which follow its height: their top there.
        int LinkTops::*bottomTop;
    };
    static const std::array<PlacedButton, 8>& placedButtons();
    static const std::array<PlacedLink, 4>& placedLinks();

    friend WindowImpl<T_mainForm>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onCreate();
    LRESULT onNotify(NMHDR* header, WPARAM wParam, LPARAM lParam);
    void createControls();
    void createImageLists();
    void addUndoTooltip();
    void onCommand(int id, int code, HWND control);
    void onSize();
    void onActivate(WPARAM wParam, LPARAM lParam);
    // Moves the aligned panes to leftPanelWidth; runs RightAdvPanelResize when the details
    // pane changed size.
    void realign(int leftPanelWidth);
    void onSplitterReleased(int proposedLeft);
    // The list and the details label come from their own glue files (main_form_list.cpp,
    // main_form_details.cpp), which know the controls' classes.
    void createListControl();
    void createParamLabel();
    void createFilterEdit();
    void checkHealthBatch(WPARAM generation);
    // WM_DPICHANGED: the window moved to a display of another scale (main_form_dpi.cpp).
    void onDpiChanged(const DpiChange& change);
    // The links at the pane's bottom at their places, each moved left where its text would
    // run past the pane (main_form_dpi.cpp).
    void placeLinksInPane();

    HINSTANCE instance_;
    FormServices services_;
    // The fonts and image lists the window made (main_form.cpp); they go after the window.
    std::unique_ptr<FormResources> resources_;
    int leftPanelWidth_;
    // The DPI the window lays itself out for: its own, or the one WM_DPICHANGED brought.
    int dpi_ = 96;
    bool activatedOnce_ = false;
    std::string filterText_;
    WPARAM healthGeneration_ = 0;
    std::size_t healthNext_ = 0;
};

// The program's one window while it exists.
extern T_mainForm* _mainForm;

} // namespace remvana
