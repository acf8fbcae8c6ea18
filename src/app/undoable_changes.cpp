#include "app/undoable_changes.h"

#include "actions/commands.h"
#include "details/property_edits.h"
#include "inventory/app_info.h"

namespace remvana {

std::optional<std::string> deleteEntryUndoably(const TAppInfo& entry, ChangeServices services,
                                               UndoHistory& history) {
    UndoStep step =
        backUpEntry("Delete Entry", entry, services.registries, services.files, services.clock);
    DeleteOutcome outcome = DeleteOutcome::NotRemoved;
    std::optional<std::string> failure =
        deleteUninstallEntry(entry.KeyName, entry.Store, services.registries, &outcome);
    // A deletion that went half-way keeps its step, so what did go can be put back.
    if (outcome != DeleteOutcome::NotRemoved) {
        step.entryRemoved = outcome == DeleteOutcome::Removed;
        history.push(std::move(step));
    }
    return failure;
}

void modifyPropertiesUndoably(TAppInfo& entry, ChangeServices services, UndoHistory& history,
                              const std::function<void(const std::string&)>& renameRow) {
    if (!hasPendingProperties(entry)) return;
    UndoStep step = backUpEntry("Modify Properties", entry, services.registries, services.files,
                                services.clock);
    std::size_t written = 0;
    try {
        writePendingProperties(services.registries, entry, renameRow, &written);
    } catch (...) {
        if (written > 0) history.push(std::move(step));
        throw;
    }
    history.push(std::move(step));
}

} // namespace remvana
