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

struct UndoStep {
    std::string action;     // "Delete Entry" or "Modify Properties"
    std::string entryName;  // the display name, or the key name when there is none
    std::string backupFile; // the path of the backup taken before the change
    // The file's bytes as written: Undo restores exactly these, never a file put there since.
    std::vector<std::uint8_t> backupBytes;
    // Set once the change removed the entry's key, so that a key found there at Undo is a
    // registration made since.
    bool entryRemoved = false;
};

// "Undo: Delete Entry "beta tool"".
std::string undoTooltip(const UndoStep& step);

// Saves the entry's backup before `action` changes it and returns the step that undoes it.
// Throws BackupError saying that nothing was changed when no complete backup could be
// written; the caller must then leave the entry alone.
UndoStep backUpEntry(const std::string& action, const TAppInfo& entry, RegistryFactory& registries,
                     FileSystem& files, Clock& clock);

class UndoHistory {
  public:
    void push(UndoStep step) { steps_.push_back(std::move(step)); }
    bool empty() const { return steps_.empty(); }
    // Only when not empty.
    const UndoStep& newest() const { return steps_.back(); }

    // The question to ask before undoing the newest step, when the entry it deleted has been
    // registered again since: undoing replaces that registration. Nothing otherwise.
    std::optional<std::string> replaceQuestion(RegistryFactory& registries) const;

    // Restores the newest change's backup and forgets the step. The file must still hold
    // exactly what was written; a registration made since the deletion is backed up first.
    // When the restore fails the step stays (and so does its file) and BackupError says what
    // happened.
    void undoNewest(RegistryFactory& registries, FileSystem& files, Clock& clock);

  private:
    std::vector<UndoStep> steps_;
};

} // namespace remvana
