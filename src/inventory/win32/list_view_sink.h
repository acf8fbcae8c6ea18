#pragma once
// The list fill's view of a real program list: the TAdvListView, its row images and a
// status text setter. Used by the main window and by the benchmark alike.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "inventory/list_fill.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

class ListViewSink : public ProgramListSink {
  public:
    using StatusSetter = std::function<void(int panel, const std::string& text)>;
    // `images` is the list's image list; reserveImages may replace it with a roomier copy.
    ListViewSink(TAdvListView& list, HIMAGELIST& images, StatusSetter setStatus)
        : list_(list), images_(images), setStatus_(std::move(setStatus)) {}

    void beginListUpdate() override { list_.BeginListUpdate(); }
    void endListUpdate() override { list_.EndListUpdate(); }
    void reserveImages(int count) override;
    int addImage(IconHandle icon) override;
    void addRow(const std::string& caption, TAppInfo* data, int imageIndex,
                const std::vector<std::string>& subItems) override;
    int columnWidth(int column) override { return list_.columnWidth(column); }
    void setColumnWidth(int column, int width) override { list_.setColumnWidth(column, width); }
    void setStatusText(int panel, const std::string& text) override;

  private:
    TAdvListView& list_;
    HIMAGELIST& images_;
    StatusSetter setStatus_;
};

// Removes every row, and every row image but the generic program image at index 0: no row
// refers to the icons of the last fill any more, so refreshes do not pile images up.
void clearProgramRows(TAdvListView& list, HIMAGELIST images);

} // namespace remvana
