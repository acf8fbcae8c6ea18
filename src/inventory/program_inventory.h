#pragma once
// The entries of one refresh, and the one way to reach them. The first refresh may read an
// entry in two steps (what the list shows first, the rest after the list is on screen); the
// class keeps which entries wait for their second step and reads that step before it hands
// an entry out, so nothing outside it can see a half-read entry.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "inventory/app_info.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace remvana {

struct OpenStore;

// How much of each entry a scan reads: everything; (for a plain list of names) only the
// display name, with no usage record; or first what the program list shows and filters by
// (display name, display icon, publisher, version, install date, size estimate and the
// usage record), the rest left for later.
enum class ScanDepth { Everything, DisplayNames, ListFirst };

// How far an entry has been read. Read list first, its subkey stays open until the rest is
// read, with the number of the values read so far that were there: the rest then needs no
// second open and reads none of those values again.
struct EntryRead {
    ScanDepth readTo = ScanDepth::Everything;
    std::unique_ptr<Registry> key;
    std::size_t valuesFound = 0;
};

// Called after each entry read, with the number read so far and the number in all.
using ReadingProgress = std::function<void(std::size_t done, std::size_t total)>;

// Names an entry of the inventory until the next rebuild or clear. An update from the stores
// keeps the id of every entry it keeps (changed ones too) and never gives a gone entry's id
// to another, so a list row that carries an id goes on naming its entry, or none.
using EntryId = std::uint32_t;

// The part of an entry the program list shows, filters by and finds the icon by. A
// list-first scan reads it before anything else, so reading it never waits for the rest;
// a whole entry is a listed one as well. Of an entry read for its display name only, the
// key and display names can be read; the rest throws std::logic_error until it is read.
class ListedEntry {
  public:
    ListedEntry(const TAppInfo& whole) : entry_(&whole) {} // NOLINT: a whole entry is listed
    ListedEntry(const TAppInfo& entry, bool namesOnly) : entry_(&entry), namesOnly_(namesOnly) {}

    const std::string& keyName() const { return entry_->KeyName; }
    const std::string& displayName() const { return entry_->DisplayName; }
    bool keyUnreadable() const { return entry_->KeyUnreadable; }
    const std::string& displayIcon() const { return listed().DisplayIcon; }
    const std::string& publisher() const { return listed().Publisher; }
    const std::string& displayVersion() const { return listed().DisplayVersion; }
    const std::string& installDate() const { return listed().InstallDate; }
    std::uint32_t estimatedSize() const { return listed().EstimatedSize; }
    const UninstallStore& store() const { return entry_->Store; }
    const ArpCacheRecord& usageRecord() const { return listed().UsageRecord; }
    const std::string& frequencyText() const { return listed().FrequencyText; }
    // Filled once the entry is checked; never read from the registry.
    const EntryHealth& health() const { return entry_->Health; }

  private:
    const TAppInfo& listed() const {
        if (namesOnly_) throw std::logic_error("entry read for its display name only");
        return *entry_;
    }
    const TAppInfo* entry_;
    bool namesOnly_ = false;
};

struct InventoryChanges;
struct StoresNow;
// Entries for which this says true are kept as they are when their keys changed or went
// (edits not written yet would be lost), and marked ChangedElsewhere.
using KeepAsItIs = std::function<bool(const TAppInfo&)>;

class ProgramInventory {
  public:
    ProgramInventory();
    ~ProgramInventory();
    ProgramInventory(const ProgramInventory&) = delete;
    ProgramInventory& operator=(const ProgramInventory&) = delete;

    // Empties the inventory, then reads one entry per subkey of every store that can be
    // opened for reading, all in one sorted key-name order (equal names in store order).
    // Nothing stored in one subkey stops the others. False, and empty, when no store can be
    // opened at all. Pending entries are read later through `registry`, which must outlive
    // them.
    bool rebuild(RegistryFactory& registry, Locale& locale, ScanDepth depth = ScanDepth::Everything,
                 const ReadingProgress& progress = {});
    // Brings the entries up to date with the stores after another program changed them,
    // without reading them all again (see inventory/store_changes.h). False, and untouched,
    // when no store can be opened at all.
    bool update(RegistryFactory& registry, Locale& locale, const KeepAsItIs& keepAsItIs,
                InventoryChanges& changes);
    // The same with the stores read already (readStoresNow), perhaps on another thread.
    bool update(StoresNow stores, RegistryFactory& registry, Locale& locale,
                const KeepAsItIs& keepAsItIs, InventoryChanges& changes);
    void clear();
    // Trades everything held, pending reads included, with `other`: an inventory read apart
    // takes this one's place, and what refers to this object goes on referring to it.
    void swap(ProgramInventory& other) noexcept;
    // Appends an entry read whole (a test's, or one read again on its own).
    EntryId add(TAppInfo whole);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // The ids of all entries, in key-name order. Right after a rebuild they are 0 .. size-1.
    const std::vector<EntryId>& ids() const { return ids_; }
    bool holds(EntryId id) const { return id < positions_.size() && positions_[id] != kGone; }
    // The entry, read whole first (its store's keys are opened once for all the entries
    // completed after one rebuild or update). Throws std::out_of_range for an id it does not
    // hold.
    TAppInfo& entry(EntryId id);
    TAppInfo& operator[](EntryId id) { return entry(id); }
    TAppInfo& at(EntryId id) { return entry(id); }
    // The listed part of the entry, read without waiting for the rest.
    ListedEntry listed(EntryId id) const;
    // Every entry read whole, each store opened once, in key-name order; `progress` is
    // called after each entry.
    const InventoryArray& completeAll(const ReadingProgress& progress = {});
    // The entry of that key in that store, if the last rebuild read one.
    std::optional<EntryId> find(const UninstallStore& store, const std::string& keyName) const;

  private:
    static constexpr std::size_t kGone = static_cast<std::size_t>(-1);
    // Where the entry of that id is held.
    std::size_t positionOf(EntryId id) const;
    // Ids 0 .. size-1 in order, as after a rebuild.
    void numberAfresh();
    // The keys of the store pending entries are completed through, opened on first use.
    const OpenStore& completionStore(const UninstallStore& store, bool withUsage);
    // Counts the entries not yet read whole; with none, the stores' keys go.
    void countPending();

    // In key-name order; the vectors below run parallel to it.
    InventoryArray entries_;
    // How far each entry has been read (Everything once it is whole), with the subkey of
    // each entry still waiting for its rest.
    std::vector<EntryRead> reading_;
    std::vector<EntryId> ids_;
    // By id: the entry's position, kGone once it has left.
    std::vector<std::size_t> positions_;
    std::size_t pending_ = 0; // entries not yet read whole
    // Kept while entries are pending, so that completing them one by one (or slice by
    // slice) opens each store once, not once per entry.
    std::vector<OpenStore> completing_;
    RegistryFactory* registry_ = nullptr;
};

// The process-wide inventory the window shows.
extern ProgramInventory Inventory;

} // namespace remvana
