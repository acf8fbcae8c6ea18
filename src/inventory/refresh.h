#pragma once
// Rebuilding Inventory from the uninstall stores and the shell's usage records.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "inventory/app_info.h"
#include "inventory/program_inventory.h"
#include "inventory/uninstall_store.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace remvana {

// Line 0 of the details label after a refresh: the bare heading.
inline constexpr const char* kPropertiesHeadingLine =
    "<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\"><IMG src=\"idx:1\" align=\"top\"> Properties</p>";

// What a refresh asks of the main window, in the order it asks.
class RefreshView {
  public:
    virtual ~RefreshView() = default;
    // Every row goes first, so no row refers to an element about to be released.
    virtual void clearRows() = 0;
    virtual void setDetailsHeading(const std::string& line0) = 0;
    // Delete Entry, Remove, Change, Repair and Modify Properties.
    virtual void disableEntryButtons() = 0;
    virtual void fillList() = 0;
    // Called after each entry read, with the entries read so far and the number in all.
    virtual void readingProgress(std::size_t done, std::size_t total) {
        (void)done;
        (void)total;
    }
    // No store can be opened: the modal "Error" box reading "Registry Error", then the
    // application ends. The refresh does nothing more should this return.
    virtual void reportRegistryErrorAndExit() = 0;
};

// "", "rarely", "occasionally" or "frequently".
std::string frequencyTextOf(std::int32_t timesUsed);

// Sorted in the user's locale ignoring case. Names are merged only where the registry
// itself would see one key (equal ignoring ASCII case); names the locale merely compares
// equal ("ss" and a sharp s) all stay.
std::vector<std::string> sortedUniqueNames(std::vector<std::string> names, Locale& locale);

// Fills one element from one sweep of its subkey's values, each field by the rule of its
// kind: text from a string or expandable string (unexpanded), integers from a 32-bit value
// stored in four bytes (any other size reads as 0). Never throws for what is stored.
void applyEntryValues(const std::vector<RegValue>& values, TAppInfo& info);

// The stored "SlowInfoCache" bytes into the record: shorter values fill the leading bytes,
// longer ones give their leading 552.
void applyUsageRecord(const std::vector<std::uint8_t>& stored, ArpCacheRecord& record);

// The last-write times of a key's subkeys, looked up by name as the registry compares names.
class KeyTimes {
  public:
    KeyTimes() = default;
    explicit KeyTimes(const std::vector<SubkeyStamp>& stamps);
    // 0 when there is no such subkey.
    std::int64_t of(const std::string& name) const { return find(name).value_or(0); }
    // Nothing when there is no such subkey.
    std::optional<std::int64_t> find(const std::string& name) const;

  private:
    std::unordered_map<std::string, std::int64_t> times_;
};

// One store being read: its store key (null when it cannot be opened) and, when it has one
// and it was asked for, its usage-record key with the last-write times of its subkeys.
struct OpenStore {
    UninstallStore store;
    std::unique_ptr<Registry> entries;
    std::unique_ptr<Registry> usage;
    KeyTimes usageTimes;
};
OpenStore openStore(RegistryFactory& registry, const UninstallStore& store, bool withUsage);

// Reads one element whose KeyName and Store are set, relative to its store's open keys, as
// a scan at that depth reads it; its usage-record write time is set, its key's is not.
// Returns how far it was read (at ScanDepth::ListFirst with its subkey kept open).
EntryRead readStoreEntry(const OpenStore& open, TAppInfo& info, ScanDepth depth);

// Empties `inventory`, then reads every entry whole, as ProgramInventory::rebuild does at
// ScanDepth::Everything; for the tools that need no window (the benchmark, tests).
bool rebuildInventory(RegistryFactory& registry, Locale& locale, InventoryArray& inventory,
                      const ReadingProgress& progress = {});

// The Refresh button: resets the window, rebuilds the process-wide Inventory, fills the list.
// At ScanDepth::ListFirst the entries are read whole as they are reached, or all at once
// through Inventory.completeAll.
void refreshInventory(RegistryFactory& registry, Locale& locale, RefreshView& view,
                      ScanDepth depth = ScanDepth::Everything);
// The same window steps around an inventory rebuilt apart (on another thread): it takes
// Inventory's place, and `rebuilt` is left with the old entries, which no row names any more.
void showRebuiltInventory(ProgramInventory& rebuilt, RefreshView& view);

} // namespace remvana
