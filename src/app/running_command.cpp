#include "app/running_command.h"

#include "actions/commands.h"
#include "inventory/app_info.h"
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

std::string RunningCommand::runningText() const {
    return run_ ? commandRunningText(run_->command, run_->programName) : std::string();
}

std::optional<CommandEnded> RunningCommand::ended(std::uint32_t exitCode) {
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
