#include "backup/undo_history.h"

#include <exception>

#include "actions/action_errors.h"
#include "backup/entry_backup.h"
#include "inventory/app_info.h"
#include "inventory/listing.h"

namespace remvana {

std::string undoTooltip(const UndoStep& step) {
    if (step.entries.size() == 1)
        return "Undo: " + step.action + " \"" + step.entries[0].entryName + "\"";
    return "Undo: " + step.action + " (" + std::to_string(step.entries.size()) + " programs)";
}

UndoStep backUpEntries(const std::string& action, const std::vector<const TAppInfo*>& entries,
                       RegistryFactory& registries, FileSystem& files, Clock& clock) {
    UndoStep step{action, {}};
    for (const TAppInfo* entry : entries) {
        const std::string& name = captionOf(*entry);
        try {
            SavedEntry saved{
                name, saveEntryBackup(registries, files, clock, entry->Store, entry->KeyName), {}};
            // Read back and compared as written when the backup was saved.
            saved.backupBytes = readBackup(files, saved.backupFile);
            step.entries.push_back(std::move(saved));
        } catch (const BackupError& e) {
            throw BackupError(action + " did nothing: no complete backup of \"" + name +
                              "\" could be written. " + e.what());
        }
    }
    return step;
}

UndoStep backUpEntry(const std::string& action, const TAppInfo& entry, RegistryFactory& registries,
                     FileSystem& files, Clock& clock) {
    return backUpEntries(action, {&entry}, registries, files, clock);
}

namespace {

std::string changedText(const SavedEntry& saved) {
    return "The backup \"" + saved.backupFile +
           "\" was changed since it was written; nothing was restored.";
}

BackupError undoFailure(const std::string& action, const SavedEntry& saved,
                        const std::exception& e) {
    return BackupError(action + " \"" + saved.entryName + "\" could not be undone. " +
                       asSentence(e.what()) + " The backup is kept in \"" + saved.backupFile +
                       "\"");
}

// "a", "a and b", "a, b and c".
std::string namesInAList(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

} // namespace

std::optional<std::string> UndoHistory::replaceQuestion(RegistryFactory& registries) const {
    if (steps_.empty()) return std::nullopt;
    std::vector<std::string> registeredAgain;
    for (const SavedEntry& saved : steps_.back().entries) {
        if (!saved.entryRemoved) continue;
        const RestorePlan plan = planOfBackup(saved.backupBytes, saved.backupFile);
        if (entryKeyPresent(registries, plan.store, plan.keyName))
            registeredAgain.push_back(saved.entryName);
    }
    if (registeredAgain.empty()) return std::nullopt;
    if (registeredAgain.size() == 1)
        return registeredAgain[0] +
               " is registered again since it was deleted. Replace that registration with the "
               "one from the backup?";
    return namesInAList(registeredAgain) +
           " are registered again since they were deleted. Replace those registrations with "
           "the ones from the backups?";
}

void UndoHistory::undoNewest(RegistryFactory& registries, FileSystem& files, Clock& clock) {
    if (steps_.empty()) return;
    UndoStep& step = steps_.back();
    // Every file is looked at before anything is restored: one put in a backup's place is
    // not what this run saved, and is refused as such.
    std::vector<RestorePlan> plans;
    for (const SavedEntry& saved : step.entries) {
        std::string reason;
        const auto now = files.readFile(saved.backupFile, reason);
        if (now && *now != saved.backupBytes) throw BackupError(changedText(saved));
        try {
            if (!now) throw BackupError("Cannot read \"" + saved.backupFile + "\". " + reason);
            plans.push_back(planOfBackup(saved.backupBytes, saved.backupFile));
        } catch (const std::exception& e) {
            throw undoFailure(step.action, saved, e);
        }
    }
    while (!step.entries.empty()) {
        const SavedEntry& saved = step.entries.back();
        const RestorePlan& plan = plans[step.entries.size() - 1];
        try {
            // The newer registration would be lost otherwise: it gets a backup of its own.
            if (saved.entryRemoved && entryKeyPresent(registries, plan.store, plan.keyName))
                saveEntryBackup(registries, files, clock, plan.store, plan.keyName);
            carryOutRestore(registries, plan);
        } catch (const std::exception& e) {
            throw undoFailure(step.action, saved, e);
        }
        // Restored: a second Undo of what failed must not put this one back again.
        step.entries.pop_back();
    }
    steps_.pop_back();
}

} // namespace remvana
