#include "backup/undo_history.h"

#include <exception>

#include "backup/entry_backup.h"
#include "inventory/app_info.h"
#include "inventory/listing.h"

namespace remvana {

std::string undoTooltip(const UndoStep& step) {
    return "Undo: " + step.action + " \"" + step.entryName + "\"";
}

UndoStep backUpEntry(const std::string& action, const TAppInfo& entry, RegistryFactory& registries,
                     FileSystem& files, Clock& clock) {
    const std::string& name = captionOf(entry);
    try {
        return UndoStep{action, name,
                        saveEntryBackup(registries, files, clock, entry.Store, entry.KeyName)};
    } catch (const BackupError& e) {
        throw BackupError(action + " did nothing: no complete backup of \"" + name +
                          "\" could be written. " + e.what());
    }
}

void UndoHistory::undoNewest(RegistryFactory& registries, FileSystem& files) {
    if (steps_.empty()) return;
    const UndoStep& step = steps_.back();
    try {
        restoreBackupFile(registries, files, step.backupFile);
    } catch (const std::exception& e) {
        std::string reason = e.what();
        if (!reason.empty() && reason.back() != '.') reason += '.';
        throw BackupError(step.action + " \"" + step.entryName + "\" could not be undone. " +
                          reason + " The backup is kept in \"" + step.backupFile + "\"");
    }
    steps_.pop_back();
}

} // namespace remvana
