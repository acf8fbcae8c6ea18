#pragma once
// Turning Inventory into the rows of the program list: one row per program with a display
// name, its icon, size, last use and frequency, and the count in the status bar.
#include <cstdint>
#include <string>
#include <vector>

#include "inventory/app_info.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace remvana {

// What the fill needs of the window: the list, its row images and the status bar.
class ProgramListSink {
  public:
    virtual ~ProgramListSink() = default;
    virtual void beginListUpdate() = 0;
    virtual void endListUpdate() = 0;
    // Told once, before the first row, that this fill appends at most `count` images, so
    // room for them can be made in one step.
    virtual void reserveImages(int count) { (void)count; }
    // Appends a copy of the icon to the row images and returns its index, or -1 when it
    // could not be added. The caller still owns (and releases) the icon.
    virtual int addImage(IconHandle icon) = 0;
    // Sub-items in column order: Size, Last Used, Frequency.
    virtual void addRow(const std::string& caption, TAppInfo* data, int imageIndex,
                        const std::vector<std::string>& subItems) = 0;
    virtual int columnWidth(int column) = 0;
    virtual void setColumnWidth(int column, int width) = 0;
    virtual void setStatusText(int panel, const std::string& text) = 0;
};

struct ListFillServices {
    Shell& shell;
    RegistryFactory& registry;
    Clock& clock;
    Locale& locale;
};

inline constexpr int kCountStatusPanel = 1;
inline constexpr int kNameColumnNarrowing = 15;

// Fills the list from `inventory` inside one list update and returns the number of rows.
// Rows come in inventory order; the list itself keeps them in name order.
int FillProgramList(InventoryArray& inventory, ProgramListSink& sink,
                    const ListFillServices& services);

// The row image of a program: its icon appended to the row images, or 0 for the generic
// program image when it has none.
int rowImageOf(const TAppInfo& info, ProgramListSink& sink, const ListFillServices& services);

// Size cell: empty unless the size is above 0.
std::string sizeCellText(std::int64_t installedSize, Locale& locale);
// Last Used cell: empty unless the stamp is above 0 and has a calendar date.
std::string lastUsedCellText(std::int64_t lastUsed, Clock& clock, Locale& locale);
std::string programCountText(int rows);

} // namespace remvana
