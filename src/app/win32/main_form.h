#pragma once
// The one window of the program, _mainForm. It is made of three panes, each owning its
// controls, fonts and images and laid out from its own table: the tool bar (tool_bar_pane.h),
// the program list with its filter (program_pane.h) and the details (details_pane.h). The
// window keeps what joins them: the panels they sit in, the splitter, the status bar, the
// tooltip control, the commands that act on the selected program and the order of events.
// Its handlers live by concern in main_form_lifecycle.cpp (creation, activation, language),
// main_form_list.cpp (the refresh), main_form_following.cpp (running commands, the stores'
// watch), main_form_removals.cpp (removing several), main_form_selection.cpp (the selection, the
// click on the install location, the count and the filter keys), main_form_editing.cpp (in-place
// edits and Modify Properties), main_form_actions.cpp (commands and the report), main_form_undo.cpp
// (backups and Undo) and main_form_keyboard.cpp (the focus, the keys and the row menu);
// main_form.cpp creates, lays out and dispatches.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/row_menu.h"
#include "app/running_command.h"
#include "app/undoable_changes.h"
#include "app/win32/details_pane.h"
#include "app/win32/form_services.h"
#include "app/win32/program_pane.h"
#include "app/win32/tool_bar_pane.h"
#include "inventory/background_rebuild.h"
#include "inventory/refresh.h"
#include "inventory/store_changes.h"
#include "platform/store_watch.h"
#include "platform/win32/display_dpi.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/window_impl.h"

namespace remvana {

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

    // ---- The panes ----
    ToolBarPane& toolBar() { return toolBar_; }
    ProgramPane& programs() { return programs_; }
    DetailsPane& details() { return details_; }
    // Shows the link labels' tooltips and the Undo button's.
    HWND tooltips() const { return tooltips_.get(); }

    // ---- Handlers bound to the window's events ----
    // Creation, activation and language (main_form_lifecycle.cpp)
    void FormCreate(HWND sender);
    void FormActivate(HWND sender);
    void UpdateLang(int language);
    // Layout (main_form.cpp)
    void FormResize(HWND sender);

    // The refresh (main_form_list.cpp)
    // Reads the stores on a thread of its own while the list shown goes on taking input, then
    // shows the new list in its place (kRefreshReadMessage); a click while one reads starts
    // it over. Delete Entry and Undo refresh the same way.
    void RefreshAdvToolButtonClick(HWND sender);
    // The start's refresh, read on the window's thread before the window is shown. At
    // ScanDepth::ListFirst the rest of every entry is read in slices once the window has
    // painted it, taking input between them (ProgramPane::startReading).
    void refreshList(ScanDepth depth);
    // kRefreshReadMessage: the Refresh's progress, or the new list once it is read.
    void followRefreshRead();
    // True from a Refresh until its list is shown.
    bool refreshing() const;
    // Reads whatever the first refresh left for later, after a running Refresh: before the
    // report, for one.
    const InventoryArray& completeEntries();
    void AdvListViewColumnClick(HWND sender, int column);
    // The selection (main_form_selection.cpp): item is the row whose selection changed.
    void AdvListViewSelectItem(HWND sender, int item, bool selected);
    // With several rows selected: the details' summary and the buttons that act on several.
    void showSeveralSelected();
    // The entries behind every selected row, top first.
    std::vector<TAppInfo*> selectedAppInfos() { return programs_.selectedAppInfos(); }
    // A click on the install location of the details opens the folder in the shell.
    void ParamLabelParamClick(HWND sender, const std::string& href, std::string& value);
    // The window's keys: its actions' and the filter box's; true when the message was one.
    bool FormShortcut(const MSG& msg);
    // The status bar's count: all rows, or "N of M" while a filter is set.
    void showProgramCount();
    // Delete Entry, Remove, Change, Repair and Modify Properties off.
    void disableEntryButtons();
    // The details back to the bare heading and the entry buttons off, as after a refresh.
    void resetDetails();
    // Editing (main_form_editing.cpp)
    void ParamLabelParamEditDone(HWND sender, const std::string& href, std::string& value);
    void ModifyPropertiesAdvToolButtonClick(HWND sender);
    // Following what happens outside the window (main_form_following.cpp): a Remove, Change
    // or Repair started from here runs to its end without holding the window, the three
    // buttons waiting meanwhile; the list follows other programs' changes to the stores.
    void startEntryCommand(EntryCommand command);
    void commandEnded(std::uint32_t exitCode);
    // kStoresChangedMessage: applies what the store watch's thread read.
    void followStoresRead();
    // Reads the stores here and applies them: when the watch's reading failed.
    void followStores();
    void followStores(StoresNow stores);
    // In the command panel, and again after the next stores update, whose count would
    // cover it: the rows a command removed leave only once the stores were read.
    void showOutcomeOverTheStores(const std::string& text);
    // The selection's buttons again, as the running command allows them.
    void updateEntryCommandButtons();
    // The details and buttons of the row at `item`, as a selection of it shows them.
    void showDetailsOf(int item, EditsShown edits);
    const RunningCommand* runningCommand() const { return command_.get(); }
    // Removing several (main_form_removals.cpp): the selected programs after one question,
    // one after another; Remove reads "Stop" meanwhile; one summary once the last has ended.
    void removeSelectedPrograms();
    void stopRemovals();
    void showStopButton();
    // The summary in a box and in the details once the last has ended; nothing before.
    void showRemovalsSummary();
    // Commands and the report (main_form_actions.cpp)
    void RemoveAdvToolButtonClick(HWND sender);
    void ChangeAdvToolButtonClick(HWND sender);
    void RepairAdvToolButtonClick(HWND sender);
    void DeleteEntryAdvToolButtonClick(HWND sender);
    void SavetofileAdvToolButtonClick(HWND sender);
    // Undo (main_form_undo.cpp)
    void UndoAdvToolButtonClick(HWND sender);
    // Keys and the row menu (main_form_keyboard.cpp): the window's keys for its actions,
    // true when the message was one of them; the selected row's menu at `at` (screen).
    bool actionShortcut(const MSG& msg);
    void openRowMenu(POINT at);
    void runRowCommand(RowCommand command);

    // The entry behind a row of the list, and behind the selected row; null when none.
    TAppInfo* rowAppInfo(int item) { return programs_.rowAppInfo(item); }
    TAppInfo* selectedAppInfo() { return programs_.selectedAppInfo(); }
    void setStatusText(int panel, const std::string& text);
    std::string statusText(int panel) const;
    void setCaption(const std::string& caption);
    std::string caption() const;

  private:
    friend WindowImpl<T_mainForm>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void onCreate();
    void createControls();
    void bindPaneEvents();
    void onCommand(int id, int code, HWND control);
    void onSize();
    void onActivate(WPARAM wParam, LPARAM lParam);
    // After the system's handling of WM_ACTIVATE: the focus back where it was when the window
    // was left, or on the list the first time (main_form_keyboard.cpp).
    void followActivation(WPARAM wParam);
    // WM_CONTEXTMENU: the row menu for the list; false for any other control.
    bool onContextMenu(HWND source, LPARAM lParam);
    // Runs the button's command as a click would; false when it is disabled.
    bool pressButton(HWND button);
    // Moves the panels and panes to leftPanelWidth; the details pane runs its resize
    // handler when its size changed.
    void realign(int leftPanelWidth);
    void onSplitterReleased(int proposedLeft);
    // WM_DPICHANGED: the window moved to a display of another scale; it takes the rectangle
    // the system suggests and every pane lays itself out again for the new DPI.
    void onDpiChanged(const DpiChange& change);
    // The new list of a Refresh in the old one's place, with what was typed meanwhile.
    void showRefreshedList(ProgramInventory& read);
    // What a change with a backup before it needs (Delete Entry, Modify Properties).
    ChangeServices changeServices();
    // From the first refresh on (main_form_following.cpp).
    void startWatchingStores();
    // Enables Undo while there is something to undo and names the newest change in its tip.
    void updateUndoButton();

    HINSTANCE instance_;
    FormServices services_;
    // The panels that hold the panes, the splitter and the status bar: children of the
    // window, which go with it.
    HWND statusBar_ = nullptr;
    HWND mainPanel_ = nullptr;
    HWND leftAdvPanel_ = nullptr;
    HWND splitter_ = nullptr;
    ScopedWindow tooltips_; // a popup the window owns
    ToolBarPane toolBar_;
    ProgramPane programs_;
    DetailsPane details_;
    // The changes made since the program started, each with its backup (main_form_undo.cpp).
    UndoHistory undo_;
    // The command started from here and its last outcome; none without a job service.
    std::unique_ptr<RunningCommand> command_;
    // Watches the stores from the first refresh on; its thread posts kStoresChangedMessage.
    std::unique_ptr<StoreWatch> storeWatch_;
    // What the watch's thread read of the stores, on its way to this thread; shared with
    // that thread, which may still offer one while the window goes.
    std::shared_ptr<StoresNowHandoff> storesNow_;
    std::string outcomeOverTheStores_; // see showOutcomeOverTheStores
    // The Refresh's read, made on first use; it posts kRefreshReadMessage.
    std::unique_ptr<BackgroundRebuild> refreshRead_;
    // The entries edited in place while it read: their edits go over to the new list.
    std::vector<EntryAddress> editedWhileRefreshing_;
    int leftPanelWidth_;
    bool severalSelectedPosted_ = false;
    // The DPI the window lays itself out for: its own, or the one WM_DPICHANGED brought.
    int dpi_ = 96;
    bool activatedOnce_ = false;
    HWND lastFocus_ = nullptr; // the control with the focus when the window was last left
};

// The program's one window while it exists.
extern T_mainForm* _mainForm;

} // namespace remvana
