#pragma once
// The list side of the benchmark: a program list on screen with its row images, cleared,
// refreshed, filled and painted the way the main window does it, so the rows in view fetch
// their icons as they do there.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/win32/list_view_sink.h"
#include "inventory/program_inventory.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/shell_win32.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana::bench {

class ListFillBench {
  public:
    ListFillBench(RegistryFactory& registry, Locale& locale);
    ~ListFillBench();
    ListFillBench(const ListFillBench&) = delete;
    ListFillBench& operator=(const ListFillBench&) = delete;

    // Clears the list, rebuilds the inventory, fills the list and paints it. Without icons
    // the entries' icon strings and usage-record paths are dropped after the scan, so no
    // row looks one up.
    void refreshAndFill(bool withIcons);
    int rows() const { return list_->rowCount(); }
    int images() const { return ImageList_GetImageCount(images_); }

  private:
    static LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    RegistryFactory& registry_;
    Locale& locale_;
    ProgramInventory inventory_;
    Win32Shell shell_;
    Win32Clock clock_;
    ScopedWindow host_;
    HIMAGELIST images_ = nullptr;
    std::unique_ptr<TAdvListView> list_;
    std::unique_ptr<ProgramListIcons> icons_;
};

} // namespace remvana::bench
