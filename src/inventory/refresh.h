#pragma once
// Rebuilding Inventory from the machine-wide uninstall store and the shell's usage records.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "inventory/app_info.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace remvana {

inline constexpr const char* kUninstallStorePath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const char* kUninstallEntryPrefix =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const char* kUsageRecordPrefix =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
inline constexpr const char* kUsageRecordValue = "SlowInfoCache";

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
    // The store cannot be opened: the modal "Error" box reading "Registry Error", then the
    // application ends. The refresh does nothing more should this return.
    virtual void reportRegistryErrorAndExit() = 0;
};

// "", "rarely", "occasionally" or "frequently".
std::string frequencyTextOf(std::int32_t timesUsed);

// Sorted in the user's locale ignoring case; names comparing equal appear once.
std::vector<std::string> sortedUniqueNames(std::vector<std::string> names, Locale& locale);

// Fills one element from one sweep of its subkey's values, each field by the rule of its
// kind: text from a string or expandable string (unexpanded), integers from a 32-bit value.
void applyEntryValues(const std::vector<RegValue>& values, TAppInfo& info);

// The stored "SlowInfoCache" bytes into the record: shorter values fill the leading bytes,
// longer ones are "Invalid data type".
void applyUsageRecord(const std::vector<std::uint8_t>& stored, ArpCacheRecord& record);

// Empties `inventory`, then rebuilds it with one element per store subkey in sorted order.
// False, with `inventory` empty, when the store cannot be opened with full access. A
// RegistryError leaves the elements before the failing one filled. `progress`, when given, is
// called after each element with the number read so far and the number in all.
using ReadingProgress = std::function<void(std::size_t done, std::size_t total)>;
bool rebuildInventory(RegistryFactory& registry, Locale& locale, InventoryArray& inventory,
                      const ReadingProgress& progress = {});

// The Refresh button: resets the window, rebuilds the process-wide Inventory, fills the list.
void refreshInventory(RegistryFactory& registry, Locale& locale, RefreshView& view);

} // namespace remvana
