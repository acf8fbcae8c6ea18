#pragma once
// What the "Undo" button can take back: the changes made since the program started, each
// with the backup taken just before it, newest last.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backup/backup_scope.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace remvana {

struct TAppInfo;

// One entry's backup within a step.
struct SavedEntry {
    std::string entryName;  // the display name, or the key name when there is none
    std::string backupFile; // the path of the backup taken before the change
    // The file's bytes as written: Undo restores exactly these, never a file put there since.
    std::vector<std::uint8_t> backupBytes;
    // Set once the change removed the entry's key, so that a key found there at Undo is a
    // registration made since.
    bool entryRemoved = false;
};

struct UndoStep {
    std::string action; // "Delete Entry" or "Modify Properties"
    // One entry, or every entry a Delete Entry of several programs removed.
    std::vector<SavedEntry> entries;
};

// "Undo: Delete Entry "beta tool"", or "Undo: Delete Entry (3 programs)" for several.
std::string undoTooltip(const UndoStep& step);

// Saves each entry's backup before `action` changes them, every one before anything is
// changed, and returns the step that undoes them. Throws BackupError saying that nothing was
// changed when any complete backup could not be written; the caller must then leave every
// entry alone (the backups already written stay in their folder, as copies only).
UndoStep backUpEntries(const std::string& action, const std::vector<const TAppInfo*>& entries,
                       RegistryFactory& registries, FileSystem& files, Clock& clock);
UndoStep backUpEntry(const std::string& action, const TAppInfo& entry, RegistryFactory& registries,
                     FileSystem& files, Clock& clock);

class UndoHistory {
  public:
    void push(UndoStep step) { steps_.push_back(std::move(step)); }
    bool empty() const { return steps_.empty(); }
    // Only when not empty.
    const UndoStep& newest() const { return steps_.back(); }

    // The question to ask before undoing the newest step, when an entry it deleted has been
    // registered again since: undoing replaces that registration. Nothing otherwise.
    std::optional<std::string> replaceQuestion(RegistryFactory& registries) const;

    // Restores the newest change's backups and forgets the step. Every file must still hold
    // exactly what was written, and is checked before anything is restored; a registration
    // made since the deletion is backed up first. When a restore fails the step stays with
    // the entries not yet restored (and so do their files) and BackupError says what
    // happened.
    void undoNewest(RegistryFactory& registries, FileSystem& files, Clock& clock);

  private:
    std::vector<UndoStep> steps_;
};

} // namespace remvana
