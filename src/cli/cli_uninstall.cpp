#include "cli/cli_uninstall.h"

#include <future>
#include <optional>
#include <vector>

#include "actions/action_errors.h"
#include "actions/command_outcome.h"
#include "actions/commands.h"
#include "backup/entry_backup.h"
#include "inventory/refresh.h"

namespace remvana {
namespace {

bool chosen(StoreChoice choice, const UninstallStore& store) {
    switch (choice) {
    case StoreChoice::Any:
        return true;
    case StoreChoice::Machine64:
        return store == kMachineStore64;
    case StoreChoice::Machine32:
        return store == kMachineStore32;
    case StoreChoice::User:
        return store == kUserStore;
    }
    return false;
}

bool stillRegistered(RegistryFactory& registry, const TAppInfo& entry) {
    const std::unique_ptr<Registry> store = openStoreKey(registry, entry.Store);
    return store && store->openSubkey(entry.KeyName, reg_access::QueryValue) != nullptr;
}

// Waits on this thread for the job's end, which the job service reports on its own.
std::uint32_t runAndWait(const std::string& commandLine, CommandJobs& jobs) {
    std::promise<std::uint32_t> ended;
    std::future<std::uint32_t> exitCode = ended.get_future();
    startCommandJob(commandLine, jobs, [&ended](std::uint32_t code) { ended.set_value(code); });
    return exitCode.get();
}

} // namespace

const char* storeOptionName(const UninstallStore& store) {
    if (store == kUserStore) return "HKCU";
    return store == kMachineStore32 ? "HKLM32" : "HKLM64";
}

int runUninstall(const CliRequest& request, CliServices& services, CliConsole& console) {
    if (!isSingleKeyName(request.uninstallKey)) throw entryGuardError(request.uninstallKey);
    std::vector<TAppInfo> found;
    std::string quietCommand;
    for (const UninstallStore& store : uninstallStoresOf(services.registry)) {
        if (!chosen(request.store, store)) continue;
        const OpenStore open = openStore(services.registry, store, false);
        const auto key = open.entries
                             ? open.entries->openSubkey(request.uninstallKey, reg_access::Read)
                             : nullptr;
        if (!key) continue;
        TAppInfo entry;
        entry.KeyName = request.uninstallKey;
        entry.Store = store;
        readStoreEntry(open, entry, ScanDepth::Everything);
        // Read here alone: nothing else of the program uses it.
        quietCommand = key->valueKind("QuietUninstallString") == ValueKind::String
                           ? key->readText("QuietUninstallString")
                           : std::string();
        found.push_back(std::move(entry));
        if (found.size() == 2) break;
    }
    if (found.empty()) {
        console.writeError("No program is registered under the key \"" + request.uninstallKey +
                           "\".\r\n");
        return kExitFailure;
    }
    if (found.size() > 1) {
        console.writeError("remvana: the key \"" + request.uninstallKey + "\" is registered in " +
                           storeOptionName(found[0].Store) + " and in " +
                           storeOptionName(found[1].Store) +
                           "; name the one to remove with --store\r\n");
        return kExitUsage;
    }
    const TAppInfo& entry = found[0];
    const std::string name = programNameOf(entry);
    const std::optional<std::string> command =
        request.quiet ? quietRemoveCommandLine(entry, quietCommand) : removeCommandLine(&entry);
    if (!command) {
        console.writeError(
            request.quiet
                ? name + " has no quiet uninstall command (QuietUninstallString) and is no "
                         "Windows Installer product; nothing was run.\r\n"
                : name + " has no uninstall command; nothing was run.\r\n");
        return kExitFailure;
    }
    // So that --restore can bring the registration back should the uninstaller fail halfway.
    saveEntryBackup(services.registry, *services.files, services.clock, entry.Store, entry.KeyName);
    const std::uint32_t exitCode = runAndWait(*command, *services.jobs);
    const bool registered = stillRegistered(services.registry, entry);
    std::string line = commandOutcomeText({EntryCommand::Remove, name, exitCode, registered},
                                          ExitCodeMention::Always);
    if (registered && !entry.InstallLocation.empty()) {
        line += ' ';
        line += installLocationOutcomeText(entry.InstallLocation,
                                           services.shell.directoryExists(entry.InstallLocation));
    }
    console.writeOut(line + "\r\n", TextEncoding::Ansi);
    return registered ? kExitFailure : kExitSuccess;
}

} // namespace remvana
