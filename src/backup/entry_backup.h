#pragma once
// The copy of an uninstall entry taken before Delete Entry or Modify Properties changes it,
// and putting such a copy back. A backup holds the entry's key with every value (type and
// bytes as stored) and every key below it, and its usage-record key, each first removed
// and then written afresh, so that restoring gives exactly the state that was saved.
#include <string>
#include <vector>

#include "backup/backup_scope.h"
#include "backup/reg_file.h"
#include "backup/restore_plan.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace remvana {

// Reads the entry without changing anything. Throws BackupError when any key of it that is
// there cannot be read, or a name in it cannot be carried by a backup. An entry key that is
// not there at all is saved as absent; a usage record that is not there is left out, unless
// asked to keep its absence too (so that writing the copy back removes one made since).
std::vector<RegFileSection> captureEntry(RegistryFactory& registries, const UninstallStore& store,
                                         const std::string& keyName,
                                         bool keepAbsentUsageRecord = false);

// "<local application data>\Kelvane\Remvana\Backups".
std::string backupFolder(FileSystem& files);

// "2026-12-09 03-15-07 beta tool.reg"; `copy` above 1 adds " (copy)" for a second backup of
// the same key within one second. Characters file names cannot hold become "_".
std::string backupFileName(const SystemTime& at, const std::string& keyName, int copy = 1);

// Captures the entry and writes the backup file completely, or throws BackupError and leaves
// no file behind. Returns the file's path.
std::string saveEntryBackup(RegistryFactory& registries, FileSystem& files, Clock& clock,
                            const UninstallStore& store, const std::string& keyName);

// The whole file; BackupError with the system's reason when it cannot be read.
std::vector<std::uint8_t> readBackup(FileSystem& files, const std::string& path);

// Checks all of a backup's bytes: the size, the format, and the shape (planRestore). Throws
// BackupError naming the file and what is wrong.
RestorePlan planOfBackup(const std::vector<std::uint8_t>& bytes, const std::string& path);

// Reads, checks and restores a backup file: nothing is written unless the whole file is
// sound, and a write that fails part-way puts the entry back as it was.
void restoreBackupFile(RegistryFactory& registries, FileSystem& files, const std::string& path);

} // namespace remvana
