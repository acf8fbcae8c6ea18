#pragma once
// The keys a backup may hold: an entry's subkey in one of the three uninstall stores and its
// usage-record key beside it, named as the registry editor names them
// ("HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\...\Uninstall\beta"). Nothing else is
// ever read from or written back by a backup.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace remvana {

// Where an uninstall entry is registered: a root and, on the machine-wide root, the view.
struct EntryStore {
    RegRoot root = RegRoot::LocalMachine;
    bool view32 = false; // the 32-bit programs' store (Wow6432Node)
    friend bool operator==(const EntryStore&, const EntryStore&) = default;
};

enum class EntryKeyKind { Uninstall, UsageRecord };

// A key inside the scope, as the program's own accessor reaches it.
struct ScopedKey {
    EntryStore store;
    // From the root in the store's view, with a leading "\" ("\SOFTWARE\...\Uninstall\beta").
    std::string accessorPath;
};

// The registry editor's name of the entry's key, or of a key below it (`below` without
// leading or trailing "\"); nothing when the key name does not denote one subkey.
std::optional<std::string> exportPathOf(const EntryStore& store, EntryKeyKind kind,
                                        const std::string& keyName, const std::string& below = {});

// The key a file's path names, when it lies strictly inside an entry's key of one of the
// stores (never a store key itself, never a "." or ".." or empty component); the root and
// store names are matched without regard to case, as the registry does.
std::optional<ScopedKey> scopedKeyOf(const std::string& exportPath);

// Key names as the registry compares them: ASCII letters without regard to case.
bool sameKeyName(std::string_view a, std::string_view b);

// An accessor on the store's root, in its view, with `access`.
std::unique_ptr<Registry> entryStoreRegistry(RegistryFactory& registries, const EntryStore& store,
                                             std::uint32_t access);

} // namespace remvana
