#include "cli/cli_uninstall.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

#include "actions/action_errors.h"
#include "actions/command_outcome.h"
#include "actions/commands.h"
#include "actions/removal_queue.h"
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

// Where the job service's thread leaves a job's exit code for this one, which waits for it.
class JobEnds {
  public:
    void put(std::uint32_t exitCode) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            exitCode_ = exitCode;
        }
        arrived_.notify_one();
    }
    std::uint32_t take() {
        std::unique_lock<std::mutex> lock(mutex_);
        arrived_.wait(lock, [this] { return exitCode_.has_value(); });
        const std::uint32_t exitCode = *exitCode_;
        exitCode_.reset();
        return exitCode;
    }

  private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::optional<std::uint32_t> exitCode_;
};

// The entries registered under the key, in the chosen store or in any (at most two).
std::vector<TAppInfo> entriesUnder(const std::string& keyName, const CliRequest& request,
                                   RegistryFactory& registry) {
    std::vector<TAppInfo> found;
    for (const UninstallStore& store : uninstallStoresOf(registry)) {
        if (!chosen(request.store, store)) continue;
        const OpenStore open = openStore(registry, store, false);
        if (!open.entries || !open.entries->openSubkey(keyName, reg_access::Read)) continue;
        TAppInfo entry;
        entry.KeyName = keyName;
        entry.Store = store;
        readStoreEntry(open, entry, ScanDepth::Everything);
        found.push_back(std::move(entry));
        if (found.size() == 2) break;
    }
    return found;
}

// The line a program's end prints: the outcome on standard output, a refusal or a command
// that could not start on standard error.
void reportResult(const QueuedRemoval& removal, const RemovalResult& result, CliServices& services,
                  CliConsole& console) {
    if (result.state != RemovalState::Removed && result.state != RemovalState::StillRegistered) {
        console.writeError(result.reason + "\r\n");
        return;
    }
    const bool registered = result.state == RemovalState::StillRegistered;
    std::string line =
        commandOutcomeText({EntryCommand::Remove, removal.programName, result.exitCode, registered},
                           ExitCodeMention::Always);
    if (registered && !removal.installLocation.empty()) {
        line += ' ';
        line += installLocationOutcomeText(removal.installLocation,
                                           services.shell.directoryExists(removal.installLocation));
    }
    console.writeOut(line + "\r\n", TextEncoding::Ansi);
}

} // namespace

const char* storeOptionName(const UninstallStore& store) {
    if (store == kUserStore) return "HKCU";
    return store == kMachineStore32 ? "HKLM32" : "HKLM64";
}

int runUninstall(const CliRequest& request, CliServices& services, CliConsole& console) {
    for (const std::string& key : request.uninstallKeys)
        if (!isSingleKeyName(key)) throw entryGuardError(key);
    // Every key is looked up before anything runs, so that a usage error runs nothing.
    const RemovalMode mode = request.quiet ? RemovalMode::QuietOnly : RemovalMode::Normal;
    std::vector<QueuedRemoval> removals;
    for (const std::string& key : request.uninstallKeys) {
        const std::vector<TAppInfo> found = entriesUnder(key, request, services.registry);
        if (found.size() > 1) {
            console.writeError("remvana: the key \"" + key + "\" is registered in " +
                               storeOptionName(found[0].Store) + " and in " +
                               storeOptionName(found[1].Store) +
                               "; name the one to remove with --store\r\n");
            return kExitUsage;
        }
        if (found.empty()) {
            QueuedRemoval missing;
            missing.programName = missing.keyName = key;
            missing.refusal = "No program is registered under the key \"" + key + "\".";
            removals.push_back(std::move(missing));
            continue;
        }
        const std::string quiet =
            request.quiet ? readQuietUninstallString(services.registry, found[0]) : std::string();
        removals.push_back(queuedRemoval(found[0], quiet, mode));
    }
    JobEnds ends;
    RemovalQueue queue(std::move(removals),
                       {*services.jobs,
                        [&services](const QueuedRemoval& removal) {
                            return stillRegistered(services.registry, removal.store,
                                                   removal.keyName);
                        },
                        // So that --restore can bring the registration back should the uninstaller
                        // fail halfway.
                        [&services](const QueuedRemoval& removal) -> std::optional<std::string> {
                            try {
                                saveEntryBackup(services.registry, *services.files, services.clock,
                                                removal.store, removal.keyName);
                            } catch (const BackupError& e) {
                                return std::string(e.what());
                            }
                            return std::nullopt;
                        },
                        [&ends](std::uint32_t exitCode) { ends.put(exitCode); }});
    std::size_t reported = 0;
    const auto reportEnded = [&] {
        for (; reported < queue.results().size(); ++reported) {
            const RemovalResult& result = queue.results()[reported];
            if (result.state == RemovalState::Waiting || result.state == RemovalState::Running)
                break;
            reportResult(queue.removals()[reported], result, services, console);
        }
    };
    queue.start();
    reportEnded();
    while (queue.running()) {
        queue.jobEnded(ends.take());
        reportEnded();
    }
    for (const RemovalResult& result : queue.results())
        if (result.state != RemovalState::Removed) return kExitFailure;
    return kExitSuccess;
}

} // namespace remvana
