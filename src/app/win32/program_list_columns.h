#pragma once
// The columns of the program list as the user chose them: applied to the list at start from
// the settings, offered in the header's menu, kept in the settings whenever they change, and
// each sorted by what its cells mean.
#include <windows.h>

#include "inventory/column_layout.h"
#include "inventory/program_inventory.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana {

class ProgramListColumns {
  public:
    // Reads the stored choice and shows it; `list`, `inventory` and the services must
    // outlive this object.
    ProgramListColumns(TAdvListView& list, ProgramInventory& inventory, RegistryFactory& registry,
                       Locale& locale);
    ~ProgramListColumns();
    ProgramListColumns(const ProgramListColumns&) = delete;
    ProgramListColumns& operator=(const ProgramListColumns&) = delete;

    const ColumnLayout& layout() const { return layout_; }
    // Shows the layout at the list's scale again (after the list moved to another display).
    void apply();

  private:
    void showMenu(POINT at);
    void columnsChanged();
    void save();
    RowOrder orderOf(int text);

    TAdvListView& list_;
    ProgramInventory& inventory_;
    RegistryFactory& registry_;
    Locale& locale_;
    ColumnLayout layout_;
};

} // namespace remvana
