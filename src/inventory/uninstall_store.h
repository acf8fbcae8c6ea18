#pragma once
// The places Windows keeps uninstall entries: the machine-wide store in each of the two
// registry views and the current user's own store. An entry is addressed through the store
// it was read from, never through the store path alone.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/store_watch.h"

namespace remvana {

inline constexpr const char* kUninstallStorePath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr const char* kUsageRecordStorePath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
inline constexpr const char* kUsageRecordValue = "SlowInfoCache";

struct UninstallStore {
    RegRoot root = RegRoot::LocalMachine;
    RegView view = RegView::Bits64;
    friend bool operator==(const UninstallStore&, const UninstallStore&) = default;
};

inline constexpr UninstallStore kMachineStore64{RegRoot::LocalMachine, RegView::Bits64};
inline constexpr UninstallStore kMachineStore32{RegRoot::LocalMachine, RegView::Bits32};
inline constexpr UninstallStore kUserStore{RegRoot::CurrentUser, RegView::Default};

// The stores a refresh reads, in reading order. A machine with one view (32-bit Windows)
// has its machine-wide store read once, as the 32-bit one it is.
std::vector<UninstallStore> uninstallStoresOf(RegistryFactory& registries);

// The "Registered for" text: "all users (64-bit)", "all users (32-bit)", "this user only".
std::string_view storeAudience(const UninstallStore& store);

// An accessor on the store's root, in its view, with `access` (plus the view flag).
std::unique_ptr<Registry> storeRegistry(RegistryFactory& registries, const UninstallStore& store,
                                        std::uint32_t access);

// The store key itself (or its usage-record key) open for reading; null when it is absent
// or cannot be read.
std::unique_ptr<Registry> openStoreKey(RegistryFactory& registries, const UninstallStore& store);
std::unique_ptr<Registry> openUsageRecordKey(RegistryFactory& registries,
                                             const UninstallStore& store);

// What a watch for other programs' changes covers: each store key and its usage-record key.
std::vector<WatchedKey> watchedStoreKeys(RegistryFactory& registries);

} // namespace remvana
