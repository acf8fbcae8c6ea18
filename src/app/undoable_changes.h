#pragma once
// Delete Entry and Modify Properties with their Undo: nothing is changed unless a complete
// backup is on disk first, and Undo is offered only for a change that wrote something.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup/undo_history.h"

namespace remvana {

struct ChangeServices {
    RegistryFactory& registries;
    FileSystem& files;
    Clock& clock;
};

// Backs every entry up, then deletes them one after another; one step, for all the entries
// that were removed at least in part, joins `history` (none when nothing was removed).
// Returns a failure text for each entry not (or not wholly) removed, as
// deleteUninstallEntry words it. Throws BackupError, having deleted nothing, when any backup
// could not be written.
std::vector<std::string> deleteEntriesUndoably(const std::vector<const TAppInfo*>& entries,
                                               ChangeServices services, UndoHistory& history);

// Backs the entry up when anything is pending, then writes the pending properties; the
// step joins `history` once a value was written, even when a later write then fails (and
// throws on, as writePendingProperties does).
void modifyPropertiesUndoably(TAppInfo& entry, ChangeServices services, UndoHistory& history,
                              const std::function<void(const std::string&)>& renameRow);

} // namespace remvana
