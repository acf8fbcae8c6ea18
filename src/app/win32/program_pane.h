#pragma once
// The program pane: the panel left of the splitter with the filter box and the program list,
// the rows' icons and columns, and the reading that follows the fill: the rest of every entry
// and the health checks that grey rows, in slices between which the window takes input.
// Entries are reached through Inventory by the rows' ids, so an entry the first refresh left
// pending is read whole before any handler sees it.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/form_services.h"
#include "inventory/list_fill.h"
#include "platform/canvas.h"
#include "platform/display_scale.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

class TAdvListView;
class ProgramListIcons;
class ProgramListColumns;
struct InventoryChanges;
struct ListRow;
class ReadingInSlices;
struct TAppInfo;

class ProgramPane {
  public:
    ProgramPane();
    ~ProgramPane();
    ProgramPane(const ProgramPane&) = delete;
    ProgramPane& operator=(const ProgramPane&) = delete;

    // The list's events: a row's selection changed (item is its shown index), a column's
    // header was clicked (the list has sorted by it already), and the filter changed what
    // the list shows (selectionDropped: the selected row went with it).
    std::function<void(int item, bool selected)> OnSelectItem;
    std::function<void(int column)> OnColumnClick;
    std::function<void(bool selectionDropped)> OnFilterChanged;

    // The panel (LeftPanel) at `rect` in `parent` with the filter box and the list; the
    // reading's slices are posted to `window` (kReadingSliceMessage).
    void create(HWND parent, const Rect& rect, HWND window, HINSTANCE instance,
                const FormServices& services);
    // The panel at `rect`, the filter strip across its top and the list below; at a new DPI
    // the fonts, the row images and the list made for the scale first.
    void layout(const Rect& rect, int dpi);

    // ---- Handlers ----
    void FilterEditChange(HWND sender);
    // Ctrl+F, F3 and Escape for the filter box; true when the message was one of them.
    bool filterShortcut(const MSG& msg);
    // A control's WM_COMMAND and the list's WM_NOTIFY; false when they are not the pane's.
    bool command(int id, int code, HWND control);
    bool notify(NMHDR* header, LRESULT& result);

    // ---- The selection ----
    // The entry behind a shown row, and behind the selected row; null when none, or when
    // several rows are selected (what works on one program works on none of them then).
    TAppInfo* rowAppInfo(int item);
    TAppInfo* selectedAppInfo();
    // The entries behind every selected row, top first.
    std::vector<TAppInfo*> selectedAppInfos();
    int selectedCount() const;
    // The selected row's caption and its other columns, after its entry changed; a new
    // name may move the row, which stays selected.
    void setSelectedCaption(const std::string& caption);
    void setSelectedRowTexts(const std::vector<std::string>& texts);

    // ---- The refresh ----
    // Removes every row and the row images of the last fill.
    void clearRows();
    // Fills the list from Inventory; `setStatus` shows the fill's texts. Returns the rows.
    int fill(const std::function<void(int panel, const std::string& text)>& setStatus,
             const ListFillServices& services);
    // Brings the rows in line with what an update of Inventory changed, keeping the
    // selection, the filter, the order and the row at the top; the changed and new entries
    // are then read whole and checked for their health marks in slices, as after a fill.
    void followChanges(const InventoryChanges& changes, const ListFillServices& services);
    // The entry of the selected row, if any.
    std::optional<EntryId> selectedEntryId() const;
    // The status bar's count: all rows, or "N of M" while a filter is set.
    std::string countText() const;
    // After the fill: the rest of every entry is read and its health checked in slices of
    // about kReadingSliceMicros, each posted once input that came meanwhile has been taken,
    // so the list answers at once however many programs there are. A new start drops the
    // slices of the last one.
    void startReading();
    void continueReading(WPARAM generation);
    // Drops the rest of the reading: a Refresh is reading everything again.
    void stopReading();
    // True once the reading since the last fill is over.
    bool readingDone() const;

    // The controls, for the window's tests and the screen.
    TAdvListView& list() { return *list_; }
    HWND listWindow() const { return listWindow_; }
    HWND filterBox() const { return filter_; }
    HWND panel() const { return panel_; }
    HIMAGELIST rowImages() const { return rowImages_.get(); }

  private:
    void createImages();
    // The filter box's text as the list's row filter (none while it is empty).
    std::function<bool(const ListRow&)> rowFilter() const;
    void createList();
    void createFilter();

    HWND window_ = nullptr;
    HWND panel_ = nullptr; // a child of the window's; the controls below are its children
    HWND filter_ = nullptr;
    HWND listWindow_ = nullptr;
    std::unique_ptr<TAdvListView> list_;
    // The rows' icons, looked up as rows are first drawn, and the columns' settings.
    std::unique_ptr<ProgramListIcons> icons_;
    std::unique_ptr<ProgramListColumns> columns_;
    // 32 x 32 masked row images at 96 DPI; image 0 is the default program image.
    ScopedImageList rowImages_;
    HINSTANCE instance_ = nullptr;
    FormServices services_;
    int dpi_ = kDesignDpi;
    std::string filterText_;
    std::unique_ptr<ReadingInSlices> reading_;
};

} // namespace remvana
