#include "actions/commands.h"

#include "inventory/app_info.h"
#include "inventory/refresh.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace remvana {

std::optional<std::string> removeCommandLine(const TAppInfo* entry) {
    if (entry == nullptr || entry->UninstallString.empty()) return std::nullopt;
    return entry->UninstallString;
}

std::optional<std::string> changeCommandLine(const TAppInfo* entry) {
    if (entry == nullptr) return std::nullopt;
    // A program may forbid modification; its uninstaller usually offers the change then.
    if (entry->NoModify == 0 && !entry->ModifyPath.empty()) return entry->ModifyPath;
    if (!entry->UninstallString.empty()) return entry->UninstallString;
    return std::nullopt;
}

std::optional<std::string> repairCommandLine(const TAppInfo* entry) {
    // Only installer-managed programs record an install source; the subkey name is then
    // their product code, which is what the installer's repair switch expects.
    if (entry == nullptr || entry->InstallSource.empty()) return std::nullopt;
    return std::string(kRepairCommandPrefix) + entry->KeyName;
}

void startCommand(const std::optional<std::string>& commandLine, Shell& shell) {
    if (commandLine) shell.winExec(*commandLine, kSwShow);
}

std::optional<std::string> uninstallEntryKeyPath(std::string_view keyName) {
    if (keyName.empty() || keyName == "." || keyName == "..") return std::nullopt;
    if (keyName.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
        return std::nullopt;
    std::string path(kUninstallStorePath);
    path += keyName;
    path += '\\';
    return path;
}

bool deleteUninstallEntry(std::string_view keyName, RegistryFactory& registries) {
    const auto path = uninstallEntryKeyPath(keyName);
    if (!path) return false;
    auto registry = registries.create(RegRoot::LocalMachine, reg_access::AllAccess);
    return registry->deleteKey(*path);
}

} // namespace remvana
