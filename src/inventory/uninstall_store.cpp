#include "inventory/uninstall_store.h"

namespace remvana {

namespace {

std::unique_ptr<Registry> openForReading(RegistryFactory& registries, const UninstallStore& store,
                                         const char* path) {
    std::unique_ptr<Registry> registry = storeRegistry(registries, store, reg_access::Read);
    if (!registry->openKey(path)) return nullptr;
    return registry;
}

} // namespace

std::vector<UninstallStore> uninstallStoresOf(RegistryFactory& registries) {
    if (!registries.hasSeparate32BitView()) return {kMachineStore32, kUserStore};
    return {kMachineStore64, kMachineStore32, kUserStore};
}

std::string_view storeAudience(const UninstallStore& store) {
    if (store.root == RegRoot::CurrentUser) return "this user only";
    return store.view == RegView::Bits32 ? "all users (32-bit)" : "all users (64-bit)";
}

std::unique_ptr<Registry> storeRegistry(RegistryFactory& registries, const UninstallStore& store,
                                        std::uint32_t access) {
    return registries.create(store.root, access | viewAccessOf(store.view));
}

std::unique_ptr<Registry> openStoreKey(RegistryFactory& registries, const UninstallStore& store) {
    return openForReading(registries, store, kUninstallStorePath);
}

std::unique_ptr<Registry> openUsageRecordKey(RegistryFactory& registries,
                                             const UninstallStore& store) {
    return openForReading(registries, store, kUsageRecordStorePath);
}

std::vector<WatchedKey> watchedStoreKeys(RegistryFactory& registries) {
    std::vector<WatchedKey> keys;
    for (const UninstallStore& store : uninstallStoresOf(registries)) {
        for (std::string path : {kUninstallStorePath, kUsageRecordStorePath}) {
            path.pop_back(); // the trailing "\"
            keys.push_back(WatchedKey{store.root, store.view, std::move(path)});
        }
    }
    return keys;
}

} // namespace remvana
