#pragma once
// A Remove, Change or Repair started from the window, followed to the end of everything it
// started: which entry and which command run, what the status bar says meanwhile, that the
// three buttons wait, and once the job is empty what happened. One at a time, since two
// uninstallers at once collide in Windows Installer. The window only carries the job's end
// over to its own thread and shows the texts.
#include <cstdint>
#include <optional>
#include <string>

#include "actions/command_outcome.h"
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

    bool running() const { return run_.has_value(); }
    // Whether Remove, Change and Repair may be offered at all: not while a command runs.
    bool entryCommandsAllowed() const { return !running(); }
    // "Removing Quillmark Notes ..." while a command runs; empty otherwise.
    std::string runningText() const;

    // The running command's job has ended: what happened, the registration looked up now.
    // Nothing runs afterwards. Nothing when no command was running.
    std::optional<CommandEnded> ended(std::uint32_t exitCode);
    // The details text of the command that ended last, while it is of this entry and no
    // other command has started since; empty otherwise.
    std::string detailsNoteFor(const EntryAddress& entry) const;
    // The same as a line of the details markup; empty when there is none.
    std::string detailsNoteMarkup(const EntryAddress& entry) const;
    // Remove, Change and Repair off while a command runs; the selection's rule otherwise.
    void withholdEntryCommands(DetailsButtons& buttons) const;

  private:
    struct Run {
        EntryCommand command;
        EntryAddress entry;
        std::string programName;
        std::string installLocation;
    };
    Services services_;
    std::optional<Run> run_;
    std::optional<CommandEnded> last_;
};

} // namespace remvana
