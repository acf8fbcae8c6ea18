#include "actions/removal_queue.h"

#include "actions/action_errors.h"
#include "actions/command_outcome.h"
#include "actions/commands.h"
#include "inventory/app_info.h"

namespace remvana {

std::string readQuietUninstallString(RegistryFactory& registries, const TAppInfo& entry) {
    const std::unique_ptr<Registry> store = openStoreKey(registries, entry.Store);
    const auto key = store ? store->openSubkey(entry.KeyName, reg_access::QueryValue) : nullptr;
    if (!key || key->valueKind("QuietUninstallString") != ValueKind::String) return {};
    return key->readText("QuietUninstallString");
}

QueuedRemoval queuedRemoval(const TAppInfo& entry, const std::string& quietUninstallString,
                            RemovalMode mode) {
    QueuedRemoval removal;
    removal.programName = programNameOf(entry);
    removal.store = entry.Store;
    removal.keyName = entry.KeyName;
    removal.installLocation = entry.InstallLocation;
    if (mode != RemovalMode::Normal)
        removal.commandLine = quietRemoveCommandLine(entry, quietUninstallString);
    removal.quiet = removal.commandLine.has_value();
    if (!removal.commandLine && mode != RemovalMode::QuietOnly)
        removal.commandLine = removeCommandLine(&entry);
    if (!removal.commandLine)
        removal.refusal = mode == RemovalMode::QuietOnly
                              ? removal.programName +
                                    " has no quiet uninstall command (QuietUninstallString) and "
                                    "is no Windows Installer product; nothing was run."
                              : removal.programName + " has no uninstall command; nothing was run.";
    return removal;
}

std::size_t quietRemovalCount(const std::vector<const TAppInfo*>& entries,
                              RegistryFactory& registries) {
    std::size_t quiet = 0;
    for (const TAppInfo* entry : entries)
        if (quietRemoveCommandLine(*entry, readQuietUninstallString(registries, *entry))) ++quiet;
    return quiet;
}

RemovalQueue::RemovalQueue(std::vector<QueuedRemoval> removals, RemovalServices services)
    : removals_(std::move(removals)), results_(removals_.size()), services_(std::move(services)),
      running_(removals_.size()) {}

void RemovalQueue::start() {
    if (started_) return;
    started_ = true;
    startNext();
}

void RemovalQueue::startNext() {
    for (; next_ < removals_.size() && !stopRequested_; ++next_) {
        const QueuedRemoval& removal = removals_[next_];
        RemovalResult& result = results_[next_];
        if (!removal.commandLine) {
            result = {RemovalState::NotStarted, 0, removal.refusal};
            continue;
        }
        if (services_.beforeStart) {
            if (auto refused = services_.beforeStart(removal)) {
                result = {RemovalState::NotStarted, 0, asSentence(*refused)};
                continue;
            }
        }
        // Set before the start: a job service may report the end from within startJob.
        running_ = next_;
        result.state = RemovalState::Running;
        try {
            startCommandJob(removal.commandLine, services_.jobs, services_.handOver);
            ++next_;
            return;
        } catch (const ActionError& e) {
            running_ = removals_.size();
            result = {RemovalState::NotStarted, 0, asSentence(e.what())};
        }
    }
    for (; next_ < removals_.size(); ++next_)
        results_[next_].state = RemovalState::Stopped;
}

void RemovalQueue::jobEnded(std::uint32_t exitCode) {
    if (!running()) return;
    RemovalResult& result = results_[running_];
    result.exitCode = exitCode;
    result.state = services_.stillRegistered(removals_[running_]) ? RemovalState::StillRegistered
                                                                  : RemovalState::Removed;
    running_ = removals_.size();
    startNext();
}

void RemovalQueue::stop() {
    stopRequested_ = true;
    if (started_ && !running()) startNext();
}

std::string RemovalQueue::runningText() const {
    if (!running()) return {};
    return "Removing " + std::to_string(running_ + 1) + " of " + std::to_string(removals_.size()) +
           ": " + removals_[running_].programName + " ...";
}

} // namespace remvana
