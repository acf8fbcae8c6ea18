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

#include "inventory/uninstall_store.h"
#include "platform/registry.h"

namespace remvana {

enum class EntryKeyKind { Uninstall, UsageRecord };

// Where a key inside the scope is, as the program's own accessor reaches it: the store key
// (from the root, in the store's view) and the path below it, which starts with the entry's
// name. A value naming a key; it opens nothing.
struct EntryKeyAddress {
    UninstallStore store;
    std::string storePath; // "SOFTWARE\...\Uninstall\"
    std::string below;     // "beta\Components"
};

// The store key a kind of entry key lives in, from the root in the store's view.
std::string storeKeyPath(EntryKeyKind kind);

// The registry editor's name of the entry's key, or of a key below it (`below` without
// leading or trailing "\"); nothing when the key name does not denote one subkey.
std::optional<std::string> exportPathOf(const UninstallStore& store, EntryKeyKind kind,
                                        const std::string& keyName, const std::string& below = {});

// The key a file's path names, when it lies strictly inside an entry's key of one of the
// stores (never a store key itself, never a "." or ".." or empty component); the root and
// store names are matched without regard to case, as the registry does.
std::optional<EntryKeyAddress> entryKeyAddressOf(const std::string& exportPath);

// Key names as the registry compares them: ASCII letters without regard to case.
bool sameKeyName(std::string_view a, std::string_view b);

// The store as a backup names it: on a machine with one registry view the machine-wide
// store is read as the 32-bit one, but its keys carry no Wow6432Node in their names.
UninstallStore namedStoreOf(const UninstallStore& store, RegistryFactory& registries);

} // namespace remvana
