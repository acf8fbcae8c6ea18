#include "inventory/list_fill.h"

#include <algorithm>

#include "inventory/formatting.h"
#include "inventory/listing.h"
#include "inventory/program_columns.h"
#include "inventory/row_icons.h"
#include "inventory/store_changes.h"
#include "platform/conversion.h"

namespace remvana {

namespace {

// Keeps the list's update bracket balanced when a row fails halfway.
class ListUpdate {
  public:
    explicit ListUpdate(ProgramListSink& sink) : sink_(sink) { sink_.beginListUpdate(); }
    ~ListUpdate() {
        if (!ended_) sink_.endListUpdate();
    }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;
    // Ends the update with the rows in the order the user chose last.
    void endAndSortAgain() {
        ended_ = true;
        sink_.endListUpdateAndSortAgain();
    }

  private:
    ProgramListSink& sink_;
    bool ended_ = false;
};

} // namespace

std::string sizeCellText(std::int64_t installedSize, Locale& locale) {
    return installedSize > 0 ? FormatFileSize(installedSize, locale) : std::string();
}

std::string lastUsedCellText(std::int64_t lastUsed, Clock& clock, Locale& locale) {
    if (lastUsed <= 0) return {};
    try {
        return FormatDateTimeText(FileTimeToLocalDateTime(clock, lastUsed), locale);
    } catch (const ConversionError&) {
        // A stamp beyond the year 9999 is a damaged record: show no date, keep the list.
        return {};
    }
}

std::string programCountText(int rows) {
    return std::to_string(rows) + " programs available for uninstall";
}

void followInventoryChanges(const ProgramInventory& inventory, const InventoryChanges& changes,
                            ProgramListSink& sink, const ListFillServices& services) {
    const auto rowOf = [&](EntryId id, bool added) {
        const ListedEntry info = inventory.listed(id);
        const int image = mayHaveRowIcon(info) ? kRowImageOnDemand : 0;
        const std::vector<std::string> texts =
            programRowTexts(info, services.clock, services.locale);
        if (added)
            sink.addRow(captionOf(info), id, image, texts);
        else
            sink.updateRow(captionOf(info), id, image, texts);
    };
    {
        ListUpdate update(sink);
        std::vector<EntryId> leaving = changes.removed;
        for (const EntryId id : changes.changed)
            if (!isListed(inventory.listed(id)) && sink.hasRowOf(id)) leaving.push_back(id);
        sink.removeRowsOf(leaving);
        for (const EntryId id : changes.changed)
            if (isListed(inventory.listed(id))) rowOf(id, !sink.hasRowOf(id));
        for (const EntryId id : changes.added)
            if (isListed(inventory.listed(id))) rowOf(id, true);
        // Renamed and new rows in name order, then in the order the user chose.
        update.endAndSortAgain();
    }
}

int FillProgramList(const ProgramInventory& inventory, ProgramListSink& sink,
                    const ListFillServices& services) {
    int rows = 0;
    for (const EntryId id : inventory.ids())
        rows += isListed(inventory.listed(id)) ? 1 : 0;
    sink.reserveRows(rows);
    {
        ListUpdate update(sink);
        for (const EntryId id : inventory.ids()) {
            const ListedEntry info = inventory.listed(id);
            if (!isListed(info)) continue;
            // Icons are looked up as the list draws their rows (RowIcons).
            sink.addRow(captionOf(info), id, mayHaveRowIcon(info) ? kRowImageOnDemand : 0,
                        programRowTexts(info, services.clock, services.locale));
        }
    }
    sink.setColumnWidth(0, std::max(0, sink.columnWidth(0) - kNameColumnNarrowing));
    sink.setStatusText(kCountStatusPanel, programCountText(rows));
    return rows;
}

} // namespace remvana
