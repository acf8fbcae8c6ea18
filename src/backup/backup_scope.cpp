#include "backup/backup_scope.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "actions/commands.h"

namespace remvana {
namespace {

constexpr std::string_view kSoftware = "SOFTWARE\\";
constexpr std::string_view kWow6432Node = "Wow6432Node\\";
constexpr std::array<UninstallStore, 3> kStores = {kMachineStore64, kMachineStore32, kUserStore};
constexpr std::array<EntryKeyKind, 2> kKinds = {EntryKeyKind::Uninstall, EntryKeyKind::UsageRecord};

const char* rootName(RegRoot root) {
    return root == RegRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

// The same key as the registry editor names it: the 32-bit view's keys live under
// Wow6432Node of the machine's own SOFTWARE key.
std::string exportStorePath(const UninstallStore& store, EntryKeyKind kind) {
    std::string path = rootName(store.root);
    path += '\\';
    std::string inView = storeKeyPath(kind);
    if (store.view == RegView::Bits32) inView.insert(kSoftware.size(), kWow6432Node);
    return path + inView;
}

// Every component a plain key name: what the deletion guard accepts as one subkey.
bool plainComponents(std::string_view rest) {
    while (true) {
        const std::size_t end = rest.find('\\');
        if (!isSingleKeyName(rest.substr(0, end))) return false;
        if (end == std::string_view::npos) return true;
        rest.remove_prefix(end + 1);
    }
}

} // namespace

std::string storeKeyPath(EntryKeyKind kind) {
    return kind == EntryKeyKind::Uninstall ? kUninstallStorePath : kUsageRecordStorePath;
}

std::optional<std::string> exportPathOf(const UninstallStore& store, EntryKeyKind kind,
                                        const std::string& keyName, const std::string& below) {
    if (!isSingleKeyName(keyName) || (!below.empty() && !plainComponents(below)))
        return std::nullopt;
    std::string path = exportStorePath(store, kind) + keyName;
    if (!below.empty()) path += '\\' + below;
    return path;
}

std::optional<EntryKeyAddress> entryKeyAddressOf(const std::string& exportPath) {
    for (const UninstallStore& store : kStores) {
        for (EntryKeyKind kind : kKinds) {
            const std::string prefix = exportStorePath(store, kind);
            if (exportPath.size() <= prefix.size() ||
                !sameKeyName(std::string_view(exportPath).substr(0, prefix.size()), prefix))
                continue;
            const std::string rest = exportPath.substr(prefix.size());
            if (!plainComponents(rest)) return std::nullopt;
            return EntryKeyAddress{store, storeKeyPath(kind), rest};
        }
    }
    return std::nullopt;
}

bool sameKeyName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

UninstallStore namedStoreOf(const UninstallStore& store, RegistryFactory& registries) {
    if (store.view == RegView::Bits32 && !registries.hasSeparate32BitView())
        return kMachineStore64; // the view flag is ignored there: the same one store
    return store;
}

} // namespace remvana
