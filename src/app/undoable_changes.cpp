#include "app/undoable_changes.h"

#include "actions/commands.h"
#include "details/property_edits.h"
#include "inventory/app_info.h"

namespace remvana {

std::vector<std::string> deleteEntriesUndoably(const std::vector<const TAppInfo*>& entries,
                                               ChangeServices services, UndoHistory& history) {
    UndoStep all =
        backUpEntries("Delete Entry", entries, services.registries, services.files, services.clock);
    UndoStep step{all.action, {}};
    std::vector<std::string> failures;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        DeleteOutcome outcome = DeleteOutcome::NotRemoved;
        if (auto failure = deleteUninstallEntry(entries[i]->KeyName, entries[i]->Store,
                                                services.registries, &outcome))
            failures.push_back(std::move(*failure));
        // A deletion that went half-way keeps its backup in the step, so what did go can be
        // put back.
        if (outcome == DeleteOutcome::NotRemoved) continue;
        all.entries[i].entryRemoved = outcome == DeleteOutcome::Removed;
        step.entries.push_back(std::move(all.entries[i]));
    }
    if (!step.entries.empty()) history.push(std::move(step));
    return failures;
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
