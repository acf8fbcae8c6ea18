#pragma once
// Starting a command so that its end is known: the command runs in a job of its own, which
// takes in every process it starts, and the job reports when the last of them has ended.
// Uninstallers that copy themselves to a temporary folder, start the copy and exit at once
// are followed to the copy's end.
#include <cstdint>
#include <functional>
#include <string>

namespace remvana {

// Called once, on a thread of the job service, when no process of the job is left; with the
// exit code of the process the command started.
using JobFinished = std::function<void(std::uint32_t exitCode)>;

class CommandJobs {
  public:
    virtual ~CommandJobs() = default;
    // Starts the command line exactly as given (no quoting, no expansion: as WinExec takes
    // it) with the show command, and returns at once. False when it cannot start, with the
    // system's reason in lastStartError; `finished` is then never called. A service that goes
    // while jobs run stops following them: their callbacks are not called.
    virtual bool startJob(const std::string& commandLine, int showCommand,
                          JobFinished finished) = 0;
    // The system's text for why the last startJob failed.
    virtual std::string lastStartError() = 0;
};

} // namespace remvana
