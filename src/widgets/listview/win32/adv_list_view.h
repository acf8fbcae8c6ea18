#pragma once
// TAdvListView: the program list. A comctl32 list view in report mode with 32 x 32 row
// images, single whole-row selection and no in-place editing, whose header items are drawn
// by the list itself (ListHeader) and whose rows have tooltips of their own (RowTips). Row
// order, header sorting and selection events come from the portable ListModel and
// SelectionTracker; this class applies them to the real control. Rows are known by the id
// their owner gave them and by their texts.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/window_impl.h"
#include "widgets/listview/list_columns.h"
#include "widgets/listview/list_model.h"
#include "widgets/listview/selection_tracker.h"
#include "widgets/listview/win32/list_header.h"
#include "widgets/listview/win32/row_tips.h"

namespace remvana {

class TAdvListView {
  public:
    explicit TAdvListView(Locale& locale);
    ~TAdvListView();
    TAdvListView(const TAdvListView&) = delete;
    TAdvListView& operator=(const TAdvListView&) = delete;

    // Creates the control with its four columns as a child of `parent`. The parent must pass
    // the list's WM_NOTIFY messages to handleNotify().
    HWND create(HWND parent, int controlId, const RECT& bounds);
    // Both are nullptr once the control is destroyed, so nothing is sent to a reused handle.
    HWND handle() const { return listHook_.control(); }
    HWND header() const { return header_.hwnd(); }

    // Row images (32 x 32 at 96 DPI); the list shares the image list and never destroys it.
    void setSmallImages(HIMAGELIST images);
    // Fonts, header height and column widths for the scale the list is shown at: set at
    // creation, and again when the window moves to a display of another scale.
    void setDpi(int dpi);
    // Every row asks OnGetRowImage for its image again: the row images were made anew.
    void forgetRowImages();

    // ---- Rows ----
    // Row indices are those of the rows shown, top first; a filter may hide some rows.
    void clear();
    // Makes room for `count` rows in one step before a fill.
    void reserveRows(int count);
    // Appends a row; outside an update bracket the rows are put in name order at once.
    // Returns the row's index at the moment it was added, or -1 when the filter hides it. An
    // image index of I_IMAGECALLBACK asks OnGetRowImage for the row's image when the control
    // first needs it.
    int addRow(const std::string& caption, std::uint32_t entryId, int imageIndex,
               std::vector<std::string> subItems);
    // A different caption re-sorts the rows by name; the same caption changes nothing.
    void setCaption(int index, const std::string& caption);
    int rowCount() const;
    // Shown and hidden rows alike.
    int totalRowCount() const { return static_cast<int>(model_.size()); }
    const ListRow& row(int index) const;
    // The entry id the row at `index` was added with; nothing when there is no such row.
    std::optional<std::uint32_t> rowEntryId(int index) const;
    // Before create: several rows may be selected (Shift and Ctrl with a click or the arrow
    // keys, Ctrl+A), each change raising OnSelectItem for its row. Otherwise one at most.
    void allowSeveralSelected();
    // The selected row's index (the first one, when several are), or -1.
    int selectedIndex() const;
    // The shown indices of every selected row, top first.
    std::vector<int> selectedIndices() const;
    int selectedCount() const;
    // Selects this row alone.
    void selectRow(int index);
    // Selects every shown row (with several allowed).
    void selectAll();
    // Gives the list the keyboard focus. When no row has the focus yet, the first one gets
    // it without being selected, so that Down selects it.
    void takeFocus();

    // ---- Filter: the rows it rejects leave the control but keep their place in the list,
    // so they come back where they were; sorting always covers every row. An empty filter
    // shows all rows. Returns true when the selected row was hidden: nothing is selected
    // then, and no selection event is raised for it.
    using RowPredicate = std::function<bool(const ListRow&)>;
    bool setRowFilter(RowPredicate keep);
    // Rows drawn in grey, and a row's tooltip (none when empty); asked at drawing time.
    RowPredicate IsRowDimmed;
    std::function<std::string(const ListRow&)> RowTip;
    // The text the row tooltip shows for the row under the mouse now; empty when none.
    std::string tipText() const { return tips_.text(); }
    HWND tipWindow() const { return tips_.hwnd(); }
    // Paints the rows again, when what dims them has changed.
    void redrawRows();

    // ---- Bulk updates: redraw is off for the list and its header until the outermost end.
    void BeginListUpdate();
    void EndListUpdate();
    // EndListUpdate then sortAgain, in one sort (ListModel::endUpdateAndSortAgain).
    void EndListUpdateAndSortAgain();
    int updateDepth() const { return model_.updateDepth(); }

    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // ---- Columns: which of a row's texts the list shows, in which order and how wide. The
    // first is always the caption's and stays first; it takes what the others leave of the
    // list's width. The list starts with the four of kProgramListColumns.
    void setColumns(std::vector<ShownListColumn> columns);
    // The columns in the order the header shows them, with their widths now.
    std::vector<ShownListColumn> columnsAsShown() const;
    int dpi() const { return dpi_; }
    // The texts after the caption of the shown row at `index` (a program's values changed).
    void setRowTexts(int index, std::vector<std::string> subItems);

    // ---- Following the entries behind the rows, when they change under the list ----
    bool hasRowOfEntry(std::uint32_t entryId) const { return model_.indexOfEntry(entryId) >= 0; }
    // The shown index of the entry's row, or -1 (no such row, or the filter hides it).
    int shownIndexOfEntry(std::uint32_t entryId) const;
    // Takes the rows of these entries out, shown or hidden by the filter, raising no
    // selection event; a selected one leaves nothing selected.
    void removeRowsOfEntries(const std::vector<std::uint32_t>& entryIds);
    // The row of that entry, shown or hidden, with a new caption, image and texts; inside an
    // update bracket its place waits for the bracket's end, as for addRow.
    void updateRowOfEntry(std::uint32_t entryId, const std::string& caption, int imageIndex,
                          std::vector<std::string> subItems);
    // The rows back in the order the last header click gave them (name order when none).
    void sortAgain();
    // The first row shown at the top, and scrolling so that row `index` is there.
    int topIndex() const;
    void scrollToTop(int index);

    // A click on a column's header: sorts by that column (as OnGetRowOrder says, else as
    // text) and raises OnColumnClick.
    void columnClicked(int column);
    const SortState& sortState() const { return model_.sortState(); }

    // WM_NOTIFY sent by the list to its parent; true when it was the list's own business.
    bool handleNotify(NMHDR* notification, LRESULT& result);

    // Raised for the row that loses the selection before the row that gains it.
    std::function<void(TAdvListView& sender, int item, bool selected)> OnSelectItem;
    // Raised after the list has sorted by the clicked column.
    std::function<void(TAdvListView& sender, int column)> OnColumnClick;
    // How a click on the column showing that text orders the rows; unset or empty: by bytes.
    std::function<RowOrder(int text)> OnGetRowOrder;
    // A right click on the header, at that point of the screen.
    std::function<void(TAdvListView& sender, POINT screen)> OnHeaderMenu;
    // The user dragged a column to another place or changed a width; columnsAsShown() has
    // the new state.
    std::function<void(TAdvListView& sender)> OnColumnsChanged;
    // Asked once for the image of a row added with I_IMAGECALLBACK, when the control first
    // needs it (to draw the row, or to answer for its image); the row keeps the answer.
    std::function<int(TAdvListView& sender, std::uint32_t entryId)> OnGetRowImage;

  private:
    LRESULT listMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The control's index of the row with that row id, or -1 when it is not shown.
    int shownIndexOf(std::uint32_t rowId) const;
    // Puts a model row into the control at `at`; returns the control's index of it.
    int insertItem(int at, const ListRow& row);
    bool keeps(const ListRow& row) const { return !filter_ || filter_(row); }
    // The model's index of the shown row at `index`, or -1.
    int modelIndexAt(int index) const;
    void onCustomDraw(NMLVCUSTOMDRAW& draw, LRESULT& result);
    // The list's colours for the high contrast setting now, on the control and its header.
    void applyColors();
    // Down or Up while no row is selected selects the focused row rather than the one past
    // it, and Home or End the focused row they name; true when the key was used so.
    bool selectFocusedRow(WPARAM key);
    int focusedIndex() const;
    // The tip of the shown row at `index`.
    std::string tipOfRow(int index) const;
    void applyOrder();
    // Once the outermost update ended: the control in the model's order, drawn again.
    void showUpdateEnded();
    // How the rows of the sorted column go (OnGetRowOrder), none for byte order.
    RowOrder sortColumnOrder() const;
    void fitNameColumn();
    void insertColumn(int index, const ShownListColumn& column);
    // A header notification before the list's own handling; true when it is answered here.
    bool headerNotifying(const NMHDR& notification, LRESULT& result);
    // Posted when the header has finished a drag or a resize, so that the new order and
    // widths are read once they are in place.
    static UINT columnsChangedMessage();
    void onSelectionChange(std::uint32_t rowId, bool selected);
    void setAllRowsSelected(bool selected);
    // Answers LVN_GETDISPINFO: a cell's text, from the row; `wide` for the UTF-16 record.
    void supplyCell(LVITEMA& item, bool wide);
    void supplyRowImage(LVITEMA& item);

    ListModel model_;
    std::vector<ShownListColumn> columns_; // item for item as the control holds them
    SelectionTracker selection_;
    ListHeader header_;
    ControlSubclass listHook_;
    RowTips tips_;
    int dpi_ = 96;
    ListColors colors_;
    bool clearing_ = false; // rows leave the control: no selection events
    bool several_ = false;
    RowPredicate filter_;
    std::vector<bool> shownById_;
};

} // namespace remvana
