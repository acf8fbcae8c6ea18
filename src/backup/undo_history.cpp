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
        UndoStep step{action,
                      name,
                      saveEntryBackup(registries, files, clock, entry.Store, entry.KeyName),
                      {}};
        // Read back and compared as written when the backup was saved.
        step.backupBytes = readBackup(files, step.backupFile);
        return step;
    } catch (const BackupError& e) {
        throw BackupError(action + " did nothing: no complete backup of \"" + name +
                          "\" could be written. " + e.what());
    }
}

namespace {

std::string changedText(const UndoStep& step) {
    return "The backup \"" + step.backupFile +
           "\" was changed since it was written; nothing was restored.";
}

} // namespace

std::optional<std::string> UndoHistory::replaceQuestion(RegistryFactory& registries) const {
    if (steps_.empty() || !steps_.back().entryRemoved) return std::nullopt;
    const UndoStep& step = steps_.back();
    const RestorePlan plan = planOfBackup(step.backupBytes, step.backupFile);
    if (!entryKeyPresent(registries, plan.store, plan.keyName)) return std::nullopt;
    return step.entryName +
           " is registered again since it was deleted. Replace that registration with the one "
           "from the backup?";
}

void UndoHistory::undoNewest(RegistryFactory& registries, FileSystem& files, Clock& clock) {
    if (steps_.empty()) return;
    const UndoStep& step = steps_.back();
    // A file put in the backup's place is not what this run saved: it is refused as such,
    // before anything else is looked at.
    std::string reason;
    const auto now = files.readFile(step.backupFile, reason);
    if (now && *now != step.backupBytes) throw BackupError(changedText(step));
    try {
        if (!now) throw BackupError("Cannot read \"" + step.backupFile + "\". " + reason);
        const RestorePlan plan = planOfBackup(step.backupBytes, step.backupFile);
        // The newer registration would be lost otherwise: it gets a backup of its own.
        if (step.entryRemoved && entryKeyPresent(registries, plan.store, plan.keyName))
            saveEntryBackup(registries, files, clock, plan.store, plan.keyName);
        carryOutRestore(registries, plan);
    } catch (const std::exception& e) {
        std::string reason = e.what();
        if (!reason.empty() && reason.back() != '.') reason += '.';
        throw BackupError(step.action + " \"" + step.entryName + "\" could not be undone. " +
                          reason + " The backup is kept in \"" + step.backupFile + "\"");
    }
    steps_.pop_back();
}

} // namespace remvana
