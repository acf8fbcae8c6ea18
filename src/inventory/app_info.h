#pragma once
// What the program knows about one subkey of an uninstall store.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "inventory/uninstall_store.h"

namespace remvana {

// The shell's usage record of a program: the 552-byte "SlowInfoCache" value, kept as the
// exact bytes stored (zero beyond a shorter value). Fields are decoded on demand,
// little-endian, so a short or odd record can never be read out of bounds.
struct ArpCacheRecord {
    static constexpr std::size_t kSize = 552;
    static constexpr std::size_t kImagePathUnits = 262;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint32_t recordSize() const;
    std::int32_t hasName() const;
    std::int64_t installedSize() const;
    std::int64_t lastUsed() const; // FILETIME, UTC
    std::int32_t timesUsed() const;
    // The image path's UTF-16 units up to the first zero unit, or all 262.
    std::u16string imagePathUnits() const;
    // The image path converted to ANSI text.
    std::string imagePath() const;
};

// What the health check found wrong with an entry's registration. Checked once per refresh,
// after the list is shown (or when the entry is selected first), since it touches files.
struct EntryHealth {
    bool checked = false;
    bool uninstallerMissing = false;
    bool installLocationMissing = false;
    bool displayIconMissing = false;
    // The install location names a folder that exists: only then is it a link.
    bool installLocationIsFolder = false;
};

struct TAppInfo {
    std::string KeyName;
    std::string Comments;
    std::string Contact;
    std::string DisplayIcon;
    std::string DisplayName;
    std::string DisplayVersion;
    std::string HelpLink;
    std::string HelpTelephone;
    std::string InstallDate;
    std::string InstallLocation;
    std::string InstallSource;
    std::int32_t Language = 0;
    std::int32_t NoModify = 0;
    std::int32_t NoRemove = 0;
    std::int32_t NoRepair = 0;
    std::string ProductID;
    std::string Publisher;
    std::string ReadMe;
    std::string RegCompany;
    std::string RegOwner;
    std::string URLInfoAbout;
    std::string URLUpdateInfo;
    std::int32_t Version = 0;
    std::int32_t VersionMajor = 0;
    std::int32_t VersionMinor = 0;
    std::int32_t WindowsInstaller = 0;
    std::string UninstallString;
    std::string ModifyPath;
    std::string FrequencyText;
    ArpCacheRecord UsageRecord;
    std::string PendingDisplayName;
    std::string PendingPublisher;
    std::string PendingDisplayVersion;
    std::string PendingContact;
    std::string PendingHelpLink;
    std::string PendingHelpTelephone;
    std::string PendingURLUpdateInfo;
    // The properties cleared in the editor and waiting to be written as empty text, one bit
    // per editable property in write order (an empty pending text means "no change").
    std::uint8_t PendingClears = 0;
    // Where the entry is registered: every read, write and delete of it goes there.
    UninstallStore Store;
    // The subkey was enumerated but could not be opened: it is listed by its key name, with
    // no properties, so that it can still be deleted.
    bool KeyUnreadable = false;
    // Read for the details panel only: the installer's size estimate in kilobytes.
    std::uint32_t EstimatedSize = 0;
    EntryHealth Health;
    // When the entry's key and its usage-record key were last written, as the enumeration of
    // its store gave them when it was read (0: no such key): a later enumeration showing
    // other times means another program changed it.
    std::int64_t KeyWriteTime = 0;
    std::int64_t UsageWriteTime = 0;
    // Another program changed or removed the entry's key while it held edits not written
    // yet: it was kept as it is, and the details say so until a refresh or a save.
    bool ChangedElsewhere = false;
};

// One element per subkey of the stores, in sorted key-name order. The window's entries are
// held, and reached, through ProgramInventory (inventory/program_inventory.h).
using InventoryArray = std::vector<TAppInfo>;

} // namespace remvana
