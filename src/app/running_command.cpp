#include "app/running_command.h"

#include "actions/commands.h"
#include "actions/removal_texts.h"
#include "inventory/app_info.h"
#include "inventory/refresh.h"
#include "platform/shell.h"
#include "widgets/paramlabel/param_lookup.h"

namespace remvana {

std::optional<std::string> entryCommandLine(EntryCommand command, const TAppInfo& entry) {
    switch (command) {
    case EntryCommand::Remove:
        return removeCommandLine(&entry);
    case EntryCommand::Change:
        return changeCommandLine(&entry);
    case EntryCommand::Repair:
        return repairCommandLine(&entry);
    }
    return std::nullopt;
}

bool RunningCommand::start(EntryCommand command, const TAppInfo& entry, JobFinished handOver) {
    if (running()) return false;
    const std::optional<std::string> commandLine = entryCommandLine(command, entry);
    if (!commandLine) return false;
    // Read now: a removal that works takes the entry away before its end is known.
    Run run{command, {entry.Store, entry.KeyName}, programNameOf(entry), entry.InstallLocation};
    // Throws, with nothing running, when it cannot start.
    startCommandJob(commandLine, services_.jobs, std::move(handOver));
    run_ = std::move(run);
    last_.reset();
    return true;
}

std::string removalSummaryMarkup(const std::string& summary) {
    std::string markup = kPropertiesHeadingLine;
    std::size_t from = 0;
    for (bool first = true; from < summary.size(); first = false) {
        std::size_t end = summary.find('\n', from);
        if (end == std::string::npos) end = summary.size();
        const std::string line = escapeParamValue(summary.substr(from, end - from));
        markup += first ? "<B>" + line + "</B><br>" : line + "<br>";
        from = end + 1;
    }
    return markup;
}

bool RunningCommand::startRemovals(std::vector<QueuedRemoval> removals, JobFinished handOver) {
    if (running()) return false;
    RegistryFactory& registry = services_.registry;
    auto registered = [&registry](const QueuedRemoval& removal) {
        return stillRegistered(registry, removal.store, removal.keyName);
    };
    queue_.emplace(std::move(removals),
                   RemovalServices{services_.jobs, registered, {}, std::move(handOver)});
    last_.reset();
    queue_->start();
    return true;
}

void RunningCommand::stopRemovals() {
    if (queue_) queue_->stop();
}

StopButton RunningCommand::stopButton() const {
    if (!queue_ || !queue_->running()) return {};
    return {true, !queue_->stopRequested()};
}

std::string RunningCommand::takeRemovalsSummary() {
    if (!queue_ || !queue_->finished()) return {};
    std::string summary = removalSummaryText(*queue_);
    queue_.reset();
    return summary;
}

std::string RunningCommand::runningText() const {
    if (queue_ && queue_->running()) return queue_->runningText();
    return run_ ? commandRunningText(run_->command, run_->programName) : std::string();
}

std::optional<CommandEnded> RunningCommand::removalEnded(std::uint32_t exitCode) {
    const std::vector<RemovalResult>& results = queue_->results();
    std::size_t ran = 0;
    while (ran < results.size() && results[ran].state != RemovalState::Running)
        ++ran;
    queue_->jobEnded(exitCode);
    const QueuedRemoval& removal = queue_->removals()[ran];
    CommandEnded end;
    end.entry = {removal.store, removal.keyName};
    end.registrationGone = results[ran].state == RemovalState::Removed;
    end.detailsText = removalResultLine(removal, results[ran]);
    if (queue_->running()) {
        end.statusText = queue_->runningText();
    } else {
        const std::string summary = removalSummaryText(*queue_);
        end.statusText = summary.substr(0, summary.find('\n'));
    }
    last_ = end;
    return end;
}

std::optional<CommandEnded> RunningCommand::ended(std::uint32_t exitCode) {
    if (queue_ && queue_->running()) return removalEnded(exitCode);
    if (!run_) return std::nullopt;
    const Run run = std::move(*run_);
    run_.reset();
    const bool registered = stillRegistered(services_.registry, run.entry.store, run.entry.keyName);
    CommandEnded end;
    end.entry = run.entry;
    end.registrationGone = !registered;
    end.statusText = commandOutcomeText({run.command, run.programName, exitCode, registered});
    end.detailsText = end.statusText;
    if (run.command == EntryCommand::Remove && registered && !run.installLocation.empty()) {
        end.detailsText += ' ';
        end.detailsText += installLocationOutcomeText(
            run.installLocation, services_.shell.directoryExists(run.installLocation));
    }
    last_ = end;
    return end;
}

std::string RunningCommand::detailsNoteFor(const EntryAddress& entry) const {
    return last_ && last_->entry == entry ? last_->detailsText : std::string();
}

std::string RunningCommand::detailsNoteMarkup(const EntryAddress& entry) const {
    const std::string note = detailsNoteFor(entry);
    return note.empty() ? std::string() : "<br><B>" + escapeParamValue(note) + "</B><br>";
}

void RunningCommand::withholdEntryCommands(DetailsButtons& buttons) const {
    if (entryCommandsAllowed()) return;
    buttons.remove = false;
    buttons.change = false;
    buttons.repair = false;
}

} // namespace remvana
