#pragma once
// Turning the inventory into the rows of the program list: one row per program with a display
// name, its icon, size, last use and frequency, and the count in the status bar.
#include <cstdint>
#include <string>
#include <vector>

#include "inventory/program_inventory.h"
#include "platform/clock.h"
#include "platform/locale.h"

namespace remvana {

struct InventoryChanges;

// What the fill needs of the window: the list, its row images and the status bar.
class ProgramListSink {
  public:
    virtual ~ProgramListSink() = default;
    virtual void beginListUpdate() = 0;
    virtual void endListUpdate() = 0;
    // Told once, before the first row, how many rows this fill adds, so room for them can
    // be made in one step.
    virtual void reserveRows(int count) { (void)count; }
    // Sub-items: every column's text after the caption, in the order of kProgramColumns
    // (Size, Last Used, Frequency, Publisher, ...), whichever columns are shown. `imageIndex` is a
    // row image, or kRowImageOnDemand when the list asks for it as it first draws the row.
    virtual void addRow(const std::string& caption, EntryId entry, int imageIndex,
                        const std::vector<std::string>& subItems) = 0;
    // Following the stores: whether a row carries the entry; the rows of these entries
    // leave; the entry's row gets new texts; the rows go back to the order the user chose
    // last, after rows came, went or changed.
    virtual bool hasRowOf(EntryId entry) = 0;
    virtual void removeRowsOf(const std::vector<EntryId>& entries) = 0;
    virtual void updateRow(const std::string& caption, EntryId entry, int imageIndex,
                           const std::vector<std::string>& subItems) = 0;
    virtual void sortAgain() = 0;
    // endListUpdate then sortAgain; a list may do the two in one sort.
    virtual void endListUpdateAndSortAgain() {
        endListUpdate();
        sortAgain();
    }
    virtual int columnWidth(int column) = 0;
    virtual void setColumnWidth(int column, int width) = 0;
    virtual void setStatusText(int panel, const std::string& text) = 0;
};

struct ListFillServices {
    Clock& clock;
    Locale& locale;
};

inline constexpr int kCountStatusPanel = 1;
// The image index of a row whose icon is looked up when it is first drawn (I_IMAGECALLBACK).
inline constexpr int kRowImageOnDemand = -1;
inline constexpr int kNameColumnNarrowing = 15;

// Fills the list from `inventory` inside one list update and returns the number of rows.
// Each row carries its entry's id. Rows come in inventory order; the list itself keeps them in name
// order. A row that may have an icon gets kRowImageOnDemand, any other the generic image 0.
int FillProgramList(const ProgramInventory& inventory, ProgramListSink& sink,
                    const ListFillServices& services);

// Brings the rows in line with what ProgramInventory::update changed, inside one list
// update and without touching the other rows: the rows of gone entries, and of entries no
// longer listed, leave; changed ones get their new caption and texts; newly listed ones come;
// then the list's order is put back.
void followInventoryChanges(const ProgramInventory& inventory, const InventoryChanges& changes,
                            ProgramListSink& sink, const ListFillServices& services);

// Size cell: empty unless the size is above 0.
std::string sizeCellText(std::int64_t installedSize, Locale& locale);
// Last Used cell: empty unless the stamp is above 0 and has a calendar date.
std::string lastUsedCellText(std::int64_t lastUsed, Clock& clock, Locale& locale);
std::string programCountText(int rows);

} // namespace remvana
