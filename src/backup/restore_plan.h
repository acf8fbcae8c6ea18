#pragma once
// Putting a backup back, safely: a file is first checked to be the shape the program writes
// (one entry's key with its subkeys and its own usage record, nothing else), within what the
// registry accepts and of a sensible size; only then is anything written, and the entry's
// state from just before is put back when a write still fails.
#include <cstddef>
#include <string>
#include <vector>

#include "backup/backup_scope.h"
#include "backup/reg_file.h"
#include "platform/registry.h"

namespace remvana {

// A backup holds one entry, a few kilobytes; these are far above any real one.
inline constexpr std::size_t kLargestBackupFile = 4 * 1024 * 1024;
inline constexpr std::size_t kMostBackupValues = 20000;
// What the registry accepts: a key name of 255 characters a component, keys 512 levels
// deep, value names of 16383 characters.
inline constexpr std::size_t kLongestKeyNamePart = 255;
inline constexpr std::size_t kDeepestKeyLevel = 512;
inline constexpr std::size_t kLongestValueName = 16383;

struct RestorePlan {
    UninstallStore store; // as the file names it
    std::string keyName;  // the entry's key name in that store
    std::vector<RegFileSection> sections;
};

// Checks the sections of a backup file. Throws BackupError with the reason (without the
// file's name) for a key outside the one entry, a removal of anything but the entry's key or
// usage record, a name or depth the registry refuses, or too many values.
RestorePlan planRestore(std::vector<RegFileSection> sections);

// Whether the store lists the entry's key, or it can be opened.
bool entryKeyPresent(RegistryFactory& registries, const UninstallStore& store,
                     const std::string& keyName);

// Saves the entry's state as it is now, then writes the plan. When a write fails the saved
// state is written back and BackupError says so; nothing is written when the state cannot
// be saved.
void carryOutRestore(RegistryFactory& registries, const RestorePlan& plan);

} // namespace remvana
