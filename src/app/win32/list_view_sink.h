#pragma once
// The list fill's view of a real program list: the TAdvListView, its row images and a
// status text setter. Used by the main window and by the benchmark alike.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "inventory/list_fill.h"
#include "inventory/row_icons.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

class ListViewSink : public ProgramListSink {
  public:
    using StatusSetter = std::function<void(int panel, const std::string& text)>;
    ListViewSink(TAdvListView& list, StatusSetter setStatus)
        : list_(list), setStatus_(std::move(setStatus)) {}

    void beginListUpdate() override { list_.BeginListUpdate(); }
    void endListUpdate() override { list_.EndListUpdate(); }
    void reserveRows(int count) override { list_.reserveRows(count); }
    void addRow(const std::string& caption, EntryId entry, int imageIndex,
                const std::vector<std::string>& subItems) override;
    bool hasRowOf(EntryId entry) override { return list_.hasRowOfEntry(entry); }
    void removeRowsOf(const std::vector<EntryId>& entries) override {
        list_.removeRowsOfEntries(entries);
    }
    void updateRow(const std::string& caption, EntryId entry, int imageIndex,
                   const std::vector<std::string>& subItems) override {
        list_.updateRowOfEntry(entry, caption, imageIndex, subItems);
    }
    void sortAgain() override { list_.sortAgain(); }
    void endListUpdateAndSortAgain() override { list_.EndListUpdateAndSortAgain(); }
    int columnWidth(int column) override { return list_.columnWidth(column); }
    void setColumnWidth(int column, int width) override { list_.setColumnWidth(column, width); }
    void setStatusText(int panel, const std::string& text) override;

  private:
    TAdvListView& list_;
    StatusSetter setStatus_;
};

// The row icons of a program list over its image list: the list asks for a row's icon as
// it first draws the row, and the icon is appended to the image list then.
class ProgramListIcons : private RowImageStore {
  public:
    // `images` is the list's image list, image 0 the generic program image.
    // Rows are read through `inventory`, which outlives the icons.
    ProgramListIcons(TAdvListView& list, HIMAGELIST images, const ProgramInventory& inventory,
                     Shell& shell, RegistryFactory& registry);
    ~ProgramListIcons();
    ProgramListIcons(const ProgramListIcons&) = delete;
    ProgramListIcons& operator=(const ProgramListIcons&) = delete;

    // Removes every row, and every row image but image 0: no row refers to the icons of
    // the last fill any more, so refreshes do not pile images up.
    void clearRows();
    // The row images were made anew (for another display scale): the list takes them and
    // every row's icon is extracted again, at their size.
    void useImages(HIMAGELIST images);

  private:
    int addImage(IconHandle icon) override;

    TAdvListView& list_;
    HIMAGELIST images_;
    const ProgramInventory& inventory_;
    RowIcons icons_;
};

} // namespace remvana
