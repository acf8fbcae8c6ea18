#include "actions/commands.h"

#include "actions/action_errors.h"
#include "inventory/app_info.h"
#include "inventory/uninstall_store.h"
#include "platform/ascii.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace remvana {

bool isProductCode(std::string_view keyName) {
    constexpr std::string_view shape = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
    if (keyName.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = keyName[i];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (shape[i] == 'x' ? !hex : c != shape[i]) return false;
    }
    return true;
}

bool isWindowsInstallerProduct(const TAppInfo& entry) {
    return entry.WindowsInstaller == 1 && isProductCode(entry.KeyName);
}

std::optional<std::string> removeCommandLine(const TAppInfo* entry) {
    if (entry == nullptr) return std::nullopt;
    if (isWindowsInstallerProduct(*entry))
        return std::string(kMsiRemoveCommandPrefix) + entry->KeyName;
    if (entry->UninstallString.empty()) return std::nullopt;
    return entry->UninstallString;
}

std::optional<std::string> quietRemoveCommandLine(const TAppInfo& entry,
                                                  const std::string& quietUninstallString) {
    if (isWindowsInstallerProduct(entry))
        return std::string(kMsiRemoveCommandPrefix) + entry.KeyName + std::string(kMsiQuietSwitch);
    if (quietUninstallString.empty()) return std::nullopt;
    return quietUninstallString;
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

namespace {

// The system refuses a longer one without saying why.
void refuseOverlong(const std::string& commandLine) {
    if (commandLine.size() > kLongestCommandLine)
        throw commandStartError(
            commandLine.substr(0, 200) + "...",
            "The command line is too long: " + std::to_string(commandLine.size()) +
                " characters, where Windows starts at most " + std::to_string(kLongestCommandLine));
}

} // namespace

bool startCommandJob(const std::optional<std::string>& commandLine, CommandJobs& jobs,
                     JobFinished finished) {
    if (!commandLine) return false;
    refuseOverlong(*commandLine);
    if (!jobs.startJob(*commandLine, kSwShow, std::move(finished)))
        throw commandStartError(*commandLine, jobs.lastStartError());
    return true;
}

bool storeListsKey(Registry& store, const std::string& keyName) {
    for (const std::string& name : store.subkeyNames())
        if (equalsIgnoringAsciiCase(name, keyName)) return true;
    return false;
}

bool stillRegistered(RegistryFactory& registries, const UninstallStore& store,
                     const std::string& keyName) {
    const std::unique_ptr<Registry> open = openStoreKey(registries, store);
    return open && storeListsKey(*open, keyName);
}

bool isSingleKeyName(std::string_view keyName) {
    if (keyName.empty() || keyName == "." || keyName == "..") return false;
    return keyName.find_first_of(std::string_view("\\\0", 2)) == std::string_view::npos;
}

std::optional<std::string> deleteUninstallEntry(const std::string& keyName,
                                                const UninstallStore& store,
                                                RegistryFactory& registries,
                                                DeleteOutcome* outcome) {
    DeleteOutcome achieved = DeleteOutcome::NotRemoved;
    if (outcome != nullptr) *outcome = achieved;
    if (!isSingleKeyName(keyName)) return entryGuardError(keyName).what();
    auto registry = storeRegistry(registries, store, reg_access::Read);
    const bool storeOpen = registry->openKey(kUninstallStorePath);
    if (storeOpen) achieved = registry->deleteKey(keyName);
    if (outcome != nullptr) *outcome = achieved;
    if (achieved == DeleteOutcome::Removed) return std::nullopt;
    const RegFailure failure = registry->lastFailure();
    if (achieved == DeleteOutcome::NotRemoved && storeOpen && !storeListsKey(*registry, keyName))
        return entryAlreadyGoneText(keyName);
    return entryNotRemovedText(keyName, achieved == DeleteOutcome::Partial, failure.reason) +
           rightsAdvice(failure, store, registries);
}

} // namespace remvana
