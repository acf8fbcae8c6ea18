#pragma once
// A Remove, Change or Repair started from the window, followed to the end of everything it
// started: which entry and which command run, what the status bar says meanwhile, that the
// three buttons wait, and once the job is empty what happened. One at a time, since two
// uninstallers at once collide in Windows Installer. The window only carries the job's end
// over to its own thread and shows the texts.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actions/command_outcome.h"
#include "actions/removal_queue.h"
#include "details/details_markup.h"
#include "inventory/store_changes.h"
#include "platform/command_jobs.h"
#include "platform/registry.h"

namespace remvana {

struct TAppInfo;
class Shell;

// The status bar panel that says what runs and how it ended: the count's, the one wide
// enough for a program's name; the count comes back with its next change.
inline constexpr int kCommandStatusPanel = 1;

// What the window shows once a command's job has ended.
struct CommandEnded {
    EntryAddress entry;
    // "Quillmark Notes was removed." and the like, for the status bar.
    std::string statusText;
    // The same, and for a program its uninstaller left registered whether its install
    // location is still there: for the details while that entry is selected.
    std::string detailsText;
    // The entry's key is no longer in its store.
    bool registrationGone = false;
};

// The caption of the box with the summary of removing several programs.
inline constexpr const char* kRemovalSummaryCaption = "Remove";

// The summary (removalSummaryText) for the details: its first line in bold, then a line per
// program.
std::string removalSummaryMarkup(const std::string& summary);

// What the Remove button is while several programs are being removed: "Stop", which is off
// once a stop has been asked for (the running uninstaller is never ended from here).
struct StopButton {
    bool shown = false;
    bool enabled = false;
};

// The command line a button starts for the entry (removeCommandLine and the others).
std::optional<std::string> entryCommandLine(EntryCommand command, const TAppInfo& entry);

class RunningCommand {
  public:
    struct Services {
        CommandJobs& jobs;
        RegistryFactory& registry;
        Shell& shell;
    };
    explicit RunningCommand(Services services) : services_(services) {}

    // Starts the entry's command for that button as a job. `handOver` is called once, on the
    // job service's thread, with the exit code: it must carry it to the window's thread (a
    // posted message), which then calls ended(); it never calls ended() itself. False, starting
    // nothing, while another command runs or when the entry has no such command; an ActionError
    // when the command cannot start, and nothing runs then.
    bool start(EntryCommand command, const TAppInfo& entry, JobFinished handOver);

    // Removes several programs one after another (RemovalQueue), each a job whose end
    // `handOver` carries as for start(). False, starting nothing, while a command runs. A
    // program whose command cannot start is recorded and the next one starts.
    bool startRemovals(std::vector<QueuedRemoval> removals, JobFinished handOver);
    // No further program of the removals starts; the running uninstaller runs to its end.
    void stopRemovals();
    StopButton stopButton() const;
    // Once the last of the removals has ended (also when none could start): their summary,
    // one line per program (removalSummaryText), given once; empty otherwise.
    std::string takeRemovalsSummary();

    bool running() const { return run_.has_value() || (queue_ && queue_->running()); }
    // Whether Remove, Change and Repair may be offered at all: not while a command runs.
    bool entryCommandsAllowed() const { return !running(); }
    // "Removing Quillmark Notes ..." while a command runs, "Removing 2 of 5: Orrery Atlas ..."
    // while several are removed; empty otherwise.
    std::string runningText() const;

    // The running command's job has ended: what happened, the registration looked up now.
    // Nothing runs afterwards, unless the removals go on with their next program (the status
    // text then says so, and the summary's first line once the last has ended). Nothing when
    // no command was running.
    std::optional<CommandEnded> ended(std::uint32_t exitCode);
    // The details text of the command that ended last, while it is of this entry and no
    // other command has started since; empty otherwise.
    std::string detailsNoteFor(const EntryAddress& entry) const;
    // The same as a line of the details markup; empty when there is none.
    std::string detailsNoteMarkup(const EntryAddress& entry) const;
    // Remove, Change and Repair off while a command runs; the selection's rule otherwise.
    void withholdEntryCommands(DetailsButtons& buttons) const;

  private:
    std::optional<CommandEnded> removalEnded(std::uint32_t exitCode);

    struct Run {
        EntryCommand command;
        EntryAddress entry;
        std::string programName;
        std::string installLocation;
    };
    Services services_;
    std::optional<Run> run_;
    std::optional<CommandEnded> last_;
    std::optional<RemovalQueue> queue_;
};

} // namespace remvana
