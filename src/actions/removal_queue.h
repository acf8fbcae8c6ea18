#pragma once
// Removing several programs in one go: their commands run one after another, never two at
// once (two Windows Installer sessions collide), each waited for as a job, quietly where the
// program registered a way to. A command that cannot start is recorded and the queue goes
// on; a stop takes effect after the running command, which is never ended from here.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "inventory/uninstall_store.h"
#include "platform/command_jobs.h"

namespace remvana {

struct TAppInfo;

// How the command of a queued program is chosen.
enum class RemovalMode {
    QuietWherePossible, // the quiet command, else the program's own uninstaller (the window)
    QuietOnly,          // the quiet command or nothing (the command line's --quiet)
    Normal,             // the program's own uninstaller (the command line without --quiet)
};

// One program in the queue, with the command chosen when it was queued.
struct QueuedRemoval {
    std::string programName;
    UninstallStore store;
    std::string keyName;
    std::string installLocation;
    // Nothing when nothing can run for it; `refusal` then says why.
    std::optional<std::string> commandLine;
    bool quiet = false; // runs without a window, nobody answers it
    std::string refusal;
};

// The QuietUninstallString of the entry's own key, read now (nothing else of the program
// uses it); empty when it has none or it cannot be read.
std::string readQuietUninstallString(RegistryFactory& registries, const TAppInfo& entry);

// Quiet is `quietUninstallString`, or Windows Installer's removal with /qn for a product.
QueuedRemoval queuedRemoval(const TAppInfo& entry, const std::string& quietUninstallString,
                            RemovalMode mode);
// How many of the entries would be removed quietly.
std::size_t quietRemovalCount(const std::vector<const TAppInfo*>& entries,
                              RegistryFactory& registries);

enum class RemovalState { Waiting, Running, Removed, StillRegistered, NotStarted, Stopped };

struct RemovalResult {
    RemovalState state = RemovalState::Waiting;
    std::uint32_t exitCode = 0;
    std::string reason; // NotStarted: why, as a sentence
};

struct RemovalServices {
    CommandJobs& jobs;
    // Whether the program's key is still in its store; asked once its job has ended.
    std::function<bool(const QueuedRemoval&)> stillRegistered;
    // Called just before a program's command starts; a text returned refuses that start (a
    // backup that could not be written, for one). May be unset.
    std::function<std::optional<std::string>(const QueuedRemoval&)> beforeStart;
    // Carries a job's exit code to the thread that owns the queue, which then calls jobEnded
    // with it. Called on the job service's thread, or even within startJob: it must not call
    // into the queue itself.
    JobFinished handOver;
};

class RemovalQueue {
  public:
    RemovalQueue(std::vector<QueuedRemoval> removals, RemovalServices services);

    // Starts the first command that can start.
    void start();
    // The running command's job has ended: records its outcome, then starts the next
    // command unless a stop was asked for.
    void jobEnded(std::uint32_t exitCode);
    // No further command starts; the running one runs on to its end.
    void stop();

    bool running() const { return running_ < removals_.size(); }
    // Nothing runs and nothing more will.
    bool finished() const { return started_ && !running(); }
    bool stopRequested() const { return stopRequested_; }

    const std::vector<QueuedRemoval>& removals() const { return removals_; }
    const std::vector<RemovalResult>& results() const { return results_; }

    // "Removing 2 of 5: Orrery Atlas ..."; empty when nothing runs.
    std::string runningText() const;

  private:
    void startNext();

    std::vector<QueuedRemoval> removals_;
    std::vector<RemovalResult> results_;
    RemovalServices services_;
    std::size_t next_ = 0;
    std::size_t running_; // removals_.size() when none runs
    bool started_ = false;
    bool stopRequested_ = false;
};

} // namespace remvana
