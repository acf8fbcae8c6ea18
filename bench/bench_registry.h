#pragma once
// The registry side of the benchmark: synthetic uninstall entries with usage records, and
// the floor every measurement is held against, the bare reads of the same keys.
#include <cstddef>
#include <string>

namespace remvana::bench {

// Every synthetic entry's subkey name starts with this; nothing else is ever touched.
inline constexpr const char* kEntryPrefix = "RemvanaBench-";

std::string entryName(std::size_t index);

// Makes entries 0 .. count-1 exist (existing ones are kept), each with the values a typical
// installer writes and a 552-byte usage record, spread in turn over the three uninstall
// stores (machine-wide 64-bit view, 32-bit view, the user's own).
void seedEntries(std::size_t count);

// What the entries' DisplayIcon strings point at.
enum class IconStrings {
    MissingFiles, // each entry its own program file, none of which exists
    SharedFile,   // one existing icon file for all
    DistinctFiles // an existing icon file of its own for each entry
};
const char* iconStringsName(IconStrings kind);

// Points the DisplayIcon of entries 0 .. count-1 at `kind`, writing the icon files needed
// into the prefix (once).
void setIconStrings(std::size_t count, IconStrings kind);

// Writes the DisplayVersion of entry `index`, as an updater would: its key's last-write time
// moves and nothing else changes.
void touchEntry(std::size_t index, const std::string& version);

// Deletes every synthetic entry numbered `from` or above, and its usage record.
void removeEntries(std::size_t from = 0);

// Opens each store, lists its subkeys, then opens, sweeps every value of and closes each
// entry's key and its usage record key: what any refresh has to ask the registry at least.
// Returns the number of values seen, so the work cannot be optimised away.
std::size_t readFloor();

} // namespace remvana::bench
